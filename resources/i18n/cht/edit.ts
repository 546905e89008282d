<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>匯入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>匯出信道(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>復原(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>重做(&amp;R)	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>剪下(&amp;T)	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>複製(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>貼上(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>刪除(&amp;D)	Del</translation>
    </message>
    <message>
        <source>&amp;Insert Channel	Ctrl+Ins</source>
        <translation>插入信道(&amp;I)	Ctrl+Ins</translation>
    </message>
    <message>
        <source>D&amp;elete Channel	Ctrl+Del</source>
        <translation>刪除信道(&amp;E)	Ctrl+Del</translation>
    </message>
    <message>
        <source>&amp;Move Up	Ctrl+Up</source>
        <translation>上移(&amp;M)	Ctrl+Up</translation>
    </message>
    <message>
        <source>Move Do&amp;wn	Ctrl+Down</source>
        <translation>下移(&amp;W)	Ctrl+Down</translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation>全選(&amp;A)	Ctrl+A</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Replace the channels with those of a CSV file
Import Channels</source>
        <translation>用 CSV 檔案中的信道取代信道
匯入信道</translation>
    </message>
    <message>
        <source>Write the channels to a CSV file
Export Channels</source>
        <translation>將信道寫入 CSV 檔案
匯出信道</translation>
    </message>
    <message>
        <source>Insert an empty channel, moving the channels from the selection down by one
Insert Channel</source>
        <translation>插入一個空信道，從所選信道起的信道下移一位
插入信道</translation>
    </message>
    <message>
        <source>Delete the selected channels, moving the channels below them up
Delete Channel</source>
        <translation>刪除所選信道，其下的信道上移
刪除信道</translation>
    </message>
    <message>
        <source>Move the selected channels up by one
Move Up</source>
        <translation>將所選信道上移一位
上移</translation>
    </message>
    <message>
        <source>Move the selected channels down by one
Move Down</source>
        <translation>將所選信道下移一位
下移</translation>
    </message>
    <message>
        <source>Empty the selected channels
Delete</source>
        <translation>清空所選信道
刪除</translation>
    </message>
    <message>
        <source>Copy the selected channels to the Clipboard
Copy</source>
        <translation>將所選信道複製到剪貼簿
複製</translation>
    </message>
    <message>
        <source>Copy the selected channels to the Clipboard and empty them
Cut</source>
        <translation>將所選信道複製到剪貼簿並清空
剪下</translation>
    </message>
    <message>
        <source>Put the channels of the Clipboard into the selected channels
Paste</source>
        <translation>將剪貼簿中的信道放入所選信道
貼上</translation>
    </message>
    <message>
        <source>Select all channels
Select All</source>
        <translation>選擇全部信道
全選</translation>
    </message>
    <message>
        <source>Undo the last change
Undo</source>
        <translation>復原上一次變更
復原</translation>
    </message>
    <message>
        <source>Redo the change undone last
Redo</source>
        <translation>重做上一次復原的變更
重做</translation>
    </message>
</context>
</TS>
