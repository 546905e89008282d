<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Template156</name>
    <message>
        <source>Option</source>
        <translation>選項</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>靜噪</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>倒頻</translation>
    </message>
    <message>
        <source>VOX</source>
        <translation>聲控</translation>
    </message>
    <message>
        <source>APO</source>
        <translation>自動關機</translation>
    </message>
    <message>
        <source>TOT</source>
        <translation>發射限時</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>鍵盤鎖</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步進</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>掃描模式</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按鍵音</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省電</translation>
    </message>
    <message>
        <source>STE</source>
        <translation>尾音消除</translation>
    </message>
    <message>
        <source>Roger</source>
        <translation>發射結束音</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>收音機</translation>
    </message>
    <message>
        <source>Single Radio</source>
        <translation>單守</translation>
    </message>
    <message>
        <source>Backlight Mode</source>
        <translation>背光模式</translation>
    </message>
    <message>
        <source>Frequency Mode</source>
        <translation>頻率模式</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>優先頻道</translation>
    </message>
    <message>
        <source>Channel Name</source>
        <translation>頻道名稱</translation>
    </message>
    <message>
        <source>Emergency Call</source>
        <translation>緊急呼叫</translation>
    </message>
    <message>
        <source>Receive Alarm Time</source>
        <translation>接收報警時間</translation>
    </message>
    <message>
        <source>Power-On Password</source>
        <translation>開機密碼</translation>
    </message>
    <message>
        <source>Power-On Password Switch</source>
        <translation>開機密碼開關</translation>
    </message>
    <message>
        <source>Manual Power Switch</source>
        <translation>手動功率切換</translation>
    </message>
    <message>
        <source>Vox Delay Time (s)</source>
        <translation>聲控延時(秒)</translation>
    </message>
    <message>
        <source>First Digit Delay Time (ms)</source>
        <translation>首位延時(毫秒)</translation>
    </message>
    <message>
        <source>Digit Interval Time (ms)</source>
        <translation>碼間隔時間(毫秒)</translation>
    </message>
    <message>
        <source>Digit Delay Time (ms)</source>
        <translation>碼延時(毫秒)</translation>
    </message>
    <message>
        <source>Side Tone</source>
        <translation>側音</translation>
    </message>
</context>
<context>
    <name>Template164</name>
    <message>
        <source>PTT ID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>顯示</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>編碼</translation>
    </message>
</context>
<context>
    <name>Template166</name>
    <message>
        <source>PCBA</source>
        <translation>PCBA</translation>
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
