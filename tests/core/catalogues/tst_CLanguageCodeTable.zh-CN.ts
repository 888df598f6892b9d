<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
<context>
    <name>DeviceSettingWindow</name>
    <message>
        <source>Menu_AllClear</source>
        <translation>全部清除(&amp;C)</translation>
    </message>
</context>
</TS>
