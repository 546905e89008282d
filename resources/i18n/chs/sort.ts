<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- Sort Channels and Find: their menu items, prompts and the sort dialog. -->
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;Sort Channels...</source>
        <translation>信道排序(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>查找(&amp;F)...	Ctrl+F</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Sort the selected channels, or all channels, by frequency, name or tone
Sort Channels</source>
        <translation>按频率、名称或亚音对所选信道或全部信道排序
信道排序</translation>
    </message>
    <message>
        <source>Find channels by name, frequency or tone
Find</source>
        <translation>按名称、频率或亚音查找信道
查找</translation>
    </message>
    <message>
        <source>Go to the next match
Find Next</source>
        <translation>转到下一个匹配
查找下一个</translation>
    </message>
    <message>
        <source>Go to the previous match
Find Previous</source>
        <translation>转到上一个匹配
查找上一个</translation>
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
        <translation>排序依据(&amp;B)：</translation>
    </message>
    <message>
        <source>Rx frequency</source>
        <translation>接收频率</translation>
    </message>
    <message>
        <source>Tx frequency</source>
        <translation>发射频率</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>信道名称</translation>
    </message>
    <message>
        <source>Tone (Rx, then Tx)</source>
        <translation>亚音（先接收，再发射）</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>顺序(&amp;O)：</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>升序</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>降序</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
