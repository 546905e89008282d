<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<!-- The menu items and prompts of the cable check and the device choice. -->
<context>
    <name>Menu128</name>
    <message>
        <source>Check Cable and Radi&amp;o...</source>
        <translation>檢查傳輸線和對講機(&amp;O)...</translation>
    </message>
    <message>
        <source>Choose &amp;Device...</source>
        <translation>選擇裝置(&amp;D)...</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Look at the cable, the port and the radio, and say what is wrong
Check Cable and Radio</source>
        <translation>檢查傳輸線、連接埠和對講機，並指出問題所在
檢查傳輸線和對講機</translation>
    </message>
    <message>
        <source>Choose the serial adapter the radio is on
Choose Device</source>
        <translation>選擇對講機所接的連接埠轉換器
選擇裝置</translation>
    </message>
</context>
</TS>
