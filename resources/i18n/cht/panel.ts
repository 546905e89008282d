<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- The menu items and prompts of the Check Channels panel, the band chart's page and the check before a write. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Print Band &amp;Chart</source>
        <translation>列印頻段圖(&amp;C)</translation>
    </message>
    <message>
        <source>C&amp;heck Channels Before Write</source>
        <translation>寫入前檢查信道(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Check Channels	F7</source>
        <translation>檢查信道(&amp;C)	F7</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Show the mistakes the check finds in the channels, and a chart of their frequencies
Check Channels</source>
        <translation>顯示檢查在信道中發現的問題及信道頻率圖
檢查信道</translation>
    </message>
    <message>
        <source>Print the band chart on a page of its own after the channel table
Print Band Chart</source>
        <translation>在信道表之後單獨一頁列印頻段圖
列印頻段圖</translation>
    </message>
    <message>
        <source>Check the channels before every write and ask when the check finds something
Check Channels Before Write</source>
        <translation>每次寫入前檢查信道，發現問題時先詢問
寫入前檢查信道</translation>
    </message>
</context>
</TS>
