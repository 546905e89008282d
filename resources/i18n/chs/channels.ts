<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Template101</name>
    <message>
        <source>&amp;Model</source>
        <translation>型号(&amp;M)</translation>
    </message>
    <message>
        <source>Frequency &amp;Range</source>
        <translation>频率范围(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Default Factory</source>
        <translation>恢复出厂值(&amp;D)</translation>
    </message>
</context>
</TS>
