<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- The menu items and prompts of the Check Channels panel, the band chart's page and the check before a write. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Print Band &amp;Chart</source>
        <translation>打印频段图(&amp;C)</translation>
    </message>
    <message>
        <source>C&amp;heck Channels Before Write</source>
        <translation>写入前检查信道(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Check Channels	F7</source>
        <translation>检查信道(&amp;C)	F7</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Show the mistakes the check finds in the channels, and a chart of their frequencies
Check Channels</source>
        <translation>显示检查在信道中发现的问题及信道频率图
检查信道</translation>
    </message>
    <message>
        <source>Print the band chart on a page of its own after the channel table
Print Band Chart</source>
        <translation>在信道表之后单独一页打印频段图
打印频段图</translation>
    </message>
    <message>
        <source>Check the channels before every write and ask when the check finds something
Check Channels Before Write</source>
        <translation>每次写入前检查信道，发现问题时先询问
写入前检查信道</translation>
    </message>
</context>
</TS>
