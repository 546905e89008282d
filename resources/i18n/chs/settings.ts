<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Template156</name>
    <message>
        <source>Option</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>静噪</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>倒频</translation>
    </message>
    <message>
        <source>VOX</source>
        <translation>声控</translation>
    </message>
    <message>
        <source>APO</source>
        <translation>自动关机</translation>
    </message>
    <message>
        <source>TOT</source>
        <translation>发射限时</translation>
    </message>
    <message>
        <source>Key Lock</source>
        <translation>键盘锁</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步进</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>扫描模式</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>STE</source>
        <translation>尾音消除</translation>
    </message>
    <message>
        <source>Roger</source>
        <translation>发射结束音</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>收音机</translation>
    </message>
    <message>
        <source>Single Radio</source>
        <translation>单守</translation>
    </message>
    <message>
        <source>Backlight Mode</source>
        <translation>背光模式</translation>
    </message>
    <message>
        <source>Frequency Mode</source>
        <translation>频率模式</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>优先信道</translation>
    </message>
    <message>
        <source>Channel Name</source>
        <translation>信道名称</translation>
    </message>
    <message>
        <source>Emergency Call</source>
        <translation>紧急呼叫</translation>
    </message>
    <message>
        <source>Receive Alarm Time</source>
        <translation>接收报警时间</translation>
    </message>
    <message>
        <source>Power-On Password</source>
        <translation>开机密码</translation>
    </message>
    <message>
        <source>Power-On Password Switch</source>
        <translation>开机密码开关</translation>
    </message>
    <message>
        <source>Manual Power Switch</source>
        <translation>手动功率切换</translation>
    </message>
    <message>
        <source>Vox Delay Time (s)</source>
        <translation>声控延时(秒)</translation>
    </message>
    <message>
        <source>First Digit Delay Time (ms)</source>
        <translation>首位延时(毫秒)</translation>
    </message>
    <message>
        <source>Digit Interval Time (ms)</source>
        <translation>码间隔时间(毫秒)</translation>
    </message>
    <message>
        <source>Digit Delay Time (ms)</source>
        <translation>码延时(毫秒)</translation>
    </message>
    <message>
        <source>Side Tone</source>
        <translation>侧音</translation>
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
        <translation>显示</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>编码</translation>
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
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
