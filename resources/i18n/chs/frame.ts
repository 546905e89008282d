<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Menu128</name>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>打印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Read	Ctrl+R</source>
        <translation>读频(&amp;R)	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Write	Ctrl+W</source>
        <translation>写频(&amp;W)	Ctrl+W</translation>
    </message>
    <message>
        <source>PTTID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Embed</source>
        <translation>PCBA 编号</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>T&amp;heme</source>
        <translation>主题(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>跟随系统(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>浅色(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>深色(&amp;D)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>KDW PC Encoder

Write Data
Channel Data (*.sin)
.sin
Program.Document
Program Document</source>
        <translation>KDW PC Encoder

写频数据
信道数据 (*.sin)
.sin
Program.Document
Program Document</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>从对讲机读取数据
读频</translation>
    </message>
    <message>
        <source>Write Data to Radio 
Write</source>
        <translation>把数据写入对讲机
写频</translation>
    </message>
    <message>
        <source>Choose Communication Port 1
Com1</source>
        <translation>选择通信端口 1
Com1</translation>
    </message>
    <message>
        <source>Choose Communication Port 2
Com2</source>
        <translation>选择通信端口 2
Com2</translation>
    </message>
    <message>
        <source>Choose Communication Port 3
Com3</source>
        <translation>选择通信端口 3
Com3</translation>
    </message>
    <message>
        <source>Choose Communication Port 4
Com4</source>
        <translation>选择通信端口 4
Com4</translation>
    </message>
    <message>
        <source>Choose Communication Port 5
Com5</source>
        <translation>选择通信端口 5
Com5</translation>
    </message>
    <message>
        <source>Choose Communication Port 6
Com6</source>
        <translation>选择通信端口 6
Com6</translation>
    </message>
    <message>
        <source>Choose Communication Port 7
Com7</source>
        <translation>选择通信端口 7
Com7</translation>
    </message>
    <message>
        <source>Choose Communication Port 8
Com8</source>
        <translation>选择通信端口 8
Com8</translation>
    </message>
    <message>
        <source>KDW PC Encoder</source>
        <translation>KDW PC Encoder</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>新建文档
新建</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开已有文档
打开</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>关闭当前文档
关闭</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存当前文档
保存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>用新文件名保存当前文档
另存为</translation>
    </message>
    <message>
        <source>Change the printing options
Page Setup</source>
        <translation>更改打印选项
页面设置</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>更改打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印当前文档
打印</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>Split the active window into panes
Split</source>
        <translation>把当前窗口拆分为窗格
拆分</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出程序；提示保存文档
退出</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>切换到下一个窗格
下一窗格</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>切换回上一个窗格
上一窗格</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>扩展</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>OVR</source>
        <translation>改写</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
切换工具栏</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
切换状态栏</translation>
    </message>
    <message>
        <source>Use the desktop&apos;s colours
System Theme</source>
        <translation>使用桌面的颜色
系统主题</translation>
    </message>
    <message>
        <source>Dark text on a light background, whatever the desktop&apos;s colours
Light Theme</source>
        <translation>浅色背景上的深色文字，不随桌面的颜色
浅色主题</translation>
    </message>
    <message>
        <source>Light text on a dark background, whatever the desktop&apos;s colours
Dark Theme</source>
        <translation>深色背景上的浅色文字，不随桌面的颜色
深色主题</translation>
    </message>
    <message>
        <source>Change the window size</source>
        <translation>改变窗口大小</translation>
    </message>
    <message>
        <source>Change the window position</source>
        <translation>改变窗口位置</translation>
    </message>
    <message>
        <source>Reduce the window to an icon</source>
        <translation>把窗口缩小为图标</translation>
    </message>
    <message>
        <source>Enlarge the window to full size</source>
        <translation>把窗口放大到最大</translation>
    </message>
    <message>
        <source>Switch to the next document window</source>
        <translation>切换到下一个文档窗口</translation>
    </message>
    <message>
        <source>Switch to the previous document window</source>
        <translation>切换到上一个文档窗口</translation>
    </message>
    <message>
        <source>Close the active window and prompts to save the documents</source>
        <translation>关闭当前窗口并提示保存文档</translation>
    </message>
    <message>
        <source>Restore the window to normal size</source>
        <translation>把窗口恢复到正常大小</translation>
    </message>
    <message>
        <source>Activate Task List</source>
        <translation>激活任务列表</translation>
    </message>
    <message>
        <source>Close print preview mode
Cancel Preview</source>
        <translation>关闭打印预览模式
取消预览</translation>
    </message>
</context>
</TS>
