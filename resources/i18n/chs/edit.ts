<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>导出信道(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>撤销(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>重做(&amp;R)	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>剪切(&amp;T)	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>复制(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>粘贴(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>删除(&amp;D)	Del</translation>
    </message>
    <message>
        <source>&amp;Insert Channel	Ctrl+Ins</source>
        <translation>插入信道(&amp;I)	Ctrl+Ins</translation>
    </message>
    <message>
        <source>D&amp;elete Channel	Ctrl+Del</source>
        <translation>删除信道(&amp;E)	Ctrl+Del</translation>
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
        <translation>全选(&amp;A)	Ctrl+A</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Replace the channels with those of a CSV file
Import Channels</source>
        <translation>用 CSV 文件中的信道替换信道
导入信道</translation>
    </message>
    <message>
        <source>Write the channels to a CSV file
Export Channels</source>
        <translation>将信道写入 CSV 文件
导出信道</translation>
    </message>
    <message>
        <source>Insert an empty channel, moving the channels from the selection down by one
Insert Channel</source>
        <translation>插入一个空信道，从所选信道起的信道下移一位
插入信道</translation>
    </message>
    <message>
        <source>Delete the selected channels, moving the channels below them up
Delete Channel</source>
        <translation>删除所选信道，其下的信道上移
删除信道</translation>
    </message>
    <message>
        <source>Move the selected channels up by one
Move Up</source>
        <translation>将所选信道上移一位
上移</translation>
    </message>
    <message>
        <source>Move the selected channels down by one
Move Down</source>
        <translation>将所选信道下移一位
下移</translation>
    </message>
    <message>
        <source>Empty the selected channels
Delete</source>
        <translation>清空所选信道
删除</translation>
    </message>
    <message>
        <source>Copy the selected channels to the Clipboard
Copy</source>
        <translation>将所选信道复制到剪贴板
复制</translation>
    </message>
    <message>
        <source>Copy the selected channels to the Clipboard and empty them
Cut</source>
        <translation>将所选信道复制到剪贴板并清空
剪切</translation>
    </message>
    <message>
        <source>Put the channels of the Clipboard into the selected channels
Paste</source>
        <translation>将剪贴板中的信道放入所选信道
粘贴</translation>
    </message>
    <message>
        <source>Select all channels
Select All</source>
        <translation>选择全部信道
全选</translation>
    </message>
    <message>
        <source>Undo the last change
Undo</source>
        <translation>撤销上一次更改
撤销</translation>
    </message>
    <message>
        <source>Redo the change undone last
Redo</source>
        <translation>重做上一次撤销的更改
重做</translation>
    </message>
</context>
</TS>
