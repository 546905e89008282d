<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- Sort Channels and Find: their menu items, prompts and the sort dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;Sort Channels...</source>
        <translation>信道排序(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>尋找(&amp;F)...	Ctrl+F</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Sort the selected channels, or all channels, by frequency, name or tone
Sort Channels</source>
        <translation>按頻率、名稱或信令對所選信道或全部信道排序
信道排序</translation>
    </message>
    <message>
        <source>Find channels by name, frequency or tone
Find</source>
        <translation>按名稱、頻率或信令尋找信道
尋找</translation>
    </message>
    <message>
        <source>Go to the next match
Find Next</source>
        <translation>移至下一個符合項
尋找下一個</translation>
    </message>
    <message>
        <source>Go to the previous match
Find Previous</source>
        <translation>移至上一個符合項
尋找上一個</translation>
    </message>
</context>
<context>
    <name>Template174</name>
    <message>
        <source>Sort Channels</source>
        <translation>信道排序</translation>
    </message>
    <message>
        <source>Sort &amp;by:</source>
        <translation>排序依據(&amp;B)：</translation>
    </message>
    <message>
        <source>Rx frequency</source>
        <translation>接收頻率</translation>
    </message>
    <message>
        <source>Tx frequency</source>
        <translation>發射頻率</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>信道名稱</translation>
    </message>
    <message>
        <source>Tone (Rx, then Tx)</source>
        <translation>信令（先接收，再發射）</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>順序(&amp;O)：</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>遞增</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>遞減</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
