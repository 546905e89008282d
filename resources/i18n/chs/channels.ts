<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Template101</name>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Frequency Range</source>
        <translation>频率范围</translation>
    </message>
    <message>
        <source>Default Factory</source>
        <translation>恢复出厂值</translation>
    </message>
</context>
</TS>
