<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<!-- The menu items and prompts of the cable check and the device choice. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Check Cable and Radi&amp;o...</source>
        <translation>检查数据线和对讲机(&amp;O)...</translation>
    </message>
    <message>
        <source>Choose &amp;Device...</source>
        <translation>选择设备(&amp;D)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Look at the cable, the port and the radio, and say what is wrong
Check Cable and Radio</source>
        <translation>检查数据线、串口和对讲机，并指出问题所在
检查数据线和对讲机</translation>
    </message>
    <message>
        <source>Choose the serial adapter the radio is on
Choose Device</source>
        <translation>选择对讲机所接的串口转换器
选择设备</translation>
    </message>
</context>
</TS>
