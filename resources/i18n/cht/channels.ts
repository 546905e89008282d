<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Template101</name>
    <message>
        <source>Model</source>
        <translation>型號</translation>
    </message>
    <message>
        <source>Frequency Range</source>
        <translation>頻率範圍</translation>
    </message>
    <message>
        <source>Default Factory</source>
        <translation>恢復出廠值</translation>
    </message>
</context>
</TS>
