<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!--
  The English message catalogue: every translation key of the program with its
  English text, in the key's context (the class name; QObject for texts outside
  a class). Contexts stay in alphabetical order. tst_TranslationCatalogue checks
  that every key the sources pass to translation has an entry here.
-->
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>About</name>
    <message>
        <source>About Lumivox 5</source>
        <translation>About Lumivox 5</translation>
    </message>
    <message>
        <source>Lumivox 5</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Revision...</source>
        <translation>&amp;Revision</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>AboutWindowTitle</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>CopyrightYear</source>
        <translation>Copyright (C) %1 Corvex Systems, Ltd. All Rights Reserved.</translation>
    </message>
    <message>
        <source>0,00,000</source>
        <translation>0,00,000</translation>
    </message>
    <message>
        <source>Copyright (C) Corvex Systems, Ltd. All Rights Reserved.</source>
        <translation>Copyright (C) Corvex Systems, Ltd. All Rights Reserved.</translation>
    </message>
</context>
<context>
    <name>AddressInput</name>
    <message>
        <source>Dialog</source>
        <translation>Address Input</translation>
    </message>
    <message>
        <source>Specify IP address to search</source>
        <translation>Specify IP address to search</translation>
    </message>
    <message>
        <source>Search Specifying range</source>
        <translation>Search specifying range</translation>
    </message>
    <message>
        <source>Start Address:</source>
        <translation>Start Address:</translation>
    </message>
    <message>
        <source>End Address:</source>
        <translation>End Address:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>An invalid address is being used.</source>
        <translation>An invalid address is being used.</translation>
    </message>
</context>
<context>
    <name>CCommandFunctions</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Nack received.</source>
        <translation>Nack received.</translation>
    </message>
    <message>
        <source>User canceled.</source>
        <translation>User canceled.</translation>
    </message>
</context>
<context>
    <name>CGroupTreeView</name>
    <message>
        <source>Search Result</source>
        <translation>Search Result</translation>
    </message>
    <message>
        <source>ctxMenuGroupCreate</source>
        <translation>&amp;Create Group</translation>
    </message>
    <message>
        <source>ctxMenuGroupDelete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>ctxMenuGroupRename</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>MainNewGroupName</source>
        <translation>New Group</translation>
    </message>
    <message>
        <source>MainMsgGroupCountOverMessage</source>
        <translation>Up to %1 group can be created.</translation>
    </message>
    <message>
        <source>MainMsgGroupDepthOverMessage</source>
        <translation>Each group can be created with up to %1 hierarchies.</translation>
    </message>
    <message>
        <source>MainMsgGroupNameBadCharacterMessage</source>
        <translation>A group name cannot contain any of the following characters:
%1</translation>
    </message>
    <message>
        <source>MainMsgGroupNameLengthOverMessage</source>
        <translation>Your typed name exceeds the length limit.
The name must be %1 characters or less.</translation>
    </message>
    <message>
        <source>MainMsgGroupNameAlreadyExistMessage</source>
        <translation>A group with the name you specified already exists.
Specify a different name.</translation>
    </message>
    <message>
        <source>MainMsgGroupDeleteMessage</source>
        <translation>Do you want to remove this group &apos;%1&apos; and all its settings?</translation>
    </message>
    <message>
        <source>MainMsgGroupDeleteMessage2</source>
        <translation>%1
Do you want to delete this group?</translation>
    </message>
</context>
<context>
    <name>CLumivox5Data</name>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>MainPjListColumnPjError</source>
        <translation>Projector Error</translation>
    </message>
    <message>
        <source>MainPjListColumnConnectError</source>
        <translation>Communication Error</translation>
    </message>
    <message>
        <source>MainPjListColumnPjName</source>
        <translation>Projector Name</translation>
    </message>
    <message>
        <source>MainPjListColumnSettingName</source>
        <translation>Setting Name</translation>
    </message>
    <message>
        <source>MainPjListColumnDevice</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>MainPjListColumnSetting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>MainPjListColumnPort</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>MainPjListColumnModelName</source>
        <translation>Model Name</translation>
    </message>
    <message>
        <source>MainPjListColumnStatus</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>MainPjListColumnPictureMute</source>
        <translation>Picture Blank</translation>
    </message>
    <message>
        <source>MainPjListColumnSoundMute</source>
        <translation>Sound Mute</translation>
    </message>
    <message>
        <source>MainPjListColumnOSDMute</source>
        <translation>On-screen Display</translation>
    </message>
    <message>
        <source>MainPjListColumnLampMode</source>
        <translation>Eco Mode</translation>
    </message>
    <message>
        <source>MainPjListColumnLampTime</source>
        <translation>Lamp Used Hours</translation>
    </message>
    <message>
        <source>MainPjListColumnLamp2Time</source>
        <translation>Lamp2 Used Hours</translation>
    </message>
    <message>
        <source>MainPjListColumnFilterUsage</source>
        <translation>Filter Used Hours</translation>
    </message>
    <message>
        <source>MainPjListColumnInputTerminal</source>
        <translation>Input Terminal</translation>
    </message>
    <message>
        <source>MainPjListColumnMACAddress</source>
        <translation>MAC Address</translation>
    </message>
    <message>
        <source>MainPjListColumnMACAddress2</source>
        <translation>MAC Address2</translation>
    </message>
    <message>
        <source>MainPjListColumnMACAddress3</source>
        <translation>MAC Address3</translation>
    </message>
    <message>
        <source>MainPjListColumnLensCoverState</source>
        <translation>Lens Cover/Shutter</translation>
    </message>
    <message>
        <source>MainPjListColumnSerialNumber</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>MainPjListColumnComment</source>
        <translation>User Comment</translation>
    </message>
    <message>
        <source>MainPjListColumnLastUpdate</source>
        <translation>Last Update</translation>
    </message>
    <message>
        <source>MainPjListColumnRemark</source>
        <translation>Remark</translation>
    </message>
</context>
<context>
    <name>CMailSettings</name>
    <message>
        <source>SMTPMsgCompleted</source>
        <translation>Mail Sending has been completed.</translation>
    </message>
    <message>
        <source>SMTPMsgError</source>
        <translation>Mail Sending has been failed. (An uncertain error occurs. )</translation>
    </message>
    <message>
        <source>SMTPMsgInvalidSetting</source>
        <translation>The mistake is found in a set content.</translation>
    </message>
    <message>
        <source>SMTPMsgFailed</source>
        <translation>Mail Sending has been failed.</translation>
    </message>
    <message>
        <source>SMTPMsgFailedConnect</source>
        <translation>Connection to SMTP server failed.</translation>
    </message>
    <message>
        <source>SMTPMsgFailedSmtpAuth</source>
        <translation>SMTP server verification failed.</translation>
    </message>
    <message>
        <source>SMTPMsgFailedNotSupportAuth</source>
        <translation>Non-supported verification set for SMTP server.</translation>
    </message>
    <message>
        <source>SMTPMsgFailedTimeOut</source>
        <translation>Operation has timed out.</translation>
    </message>
    <message>
        <source>SMTPMsgFaildRecipient</source>
        <translation>One addressee or more in recipient was not able to deliver the message.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NG</source>
        <translation>POP3 Server
The connection was refused.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotFound</source>
        <translation>POP3 Server
The server was not found.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotConnect</source>
        <translation>POP3 Server
It failed in the connection.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotUserName</source>
        <translation>POP3 Server
It failed in the attestation of the user name.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotPassword</source>
        <translation>POP3 Server
The user name or the password is wrong.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotLogin</source>
        <translation>POP3 Server
It failed in the attestation.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotWrite</source>
        <translation>POP3 Server
It failed in the data transmission.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotRead</source>
        <translation>POP3 Server
It failed in the data reception.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotQuit</source>
        <translation>POP3 Server
It failed in disconnect. </translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotSocket</source>
        <translation>POP3 Server
It failed in the data sending and receiving.</translation>
    </message>
    <message>
        <source>SMTPMsgPop3NotResponse</source>
        <translation>POP3 Server
There was no response.</translation>
    </message>
</context>
<context>
    <name>CPluginPJAdjust</name>
    <message>
        <source>PJAdjust</source>
        <translation>Adjustment</translation>
    </message>
</context>
<context>
    <name>CProjectorData</name>
    <message>
        <source>DeviceStrLan</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>DeviceStrRS232C</source>
        <translation>RS-232C</translation>
    </message>
    <message>
        <source>StatusRunning</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>StatusStandby</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>StatusMuteOn</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>StatusMuteOff</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>LensCoverStateOpen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>LensCoverStateClose</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>LampModeNormal</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>LampModeEco</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>LampModeMultipleEcoAuto</source>
        <translation>AUTO ECO</translation>
    </message>
    <message>
        <source>LampModeMultipleEco1</source>
        <translation>ECO1</translation>
    </message>
    <message>
        <source>LampModeMultipleEco2</source>
        <translation>ECO2</translation>
    </message>
    <message>
        <source>PropertyLampHourUnit</source>
        <translation>[H]</translation>
    </message>
    <message>
        <source>PropertyFilterHourUnit</source>
        <translation>[H]</translation>
    </message>
    <message>
        <source>RemarkFilterError</source>
        <translation>Filter has reached its end of life</translation>
    </message>
    <message>
        <source>RemarkNoError</source>
        <translation>No errors occurred.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageCover</source>
        <translation>Lamp cover error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageCover2</source>
        <translation>The covers are not mounted properly.
Check and remount them if necessary.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageTemperature</source>
        <translation>Temperature error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageTemperature2</source>
        <translation>The projector is overheated.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageFan</source>
        <translation>Fan error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageFan2</source>
        <translation>The cooling fan has stopped.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageSystem</source>
        <translation>System error has occurred.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLight</source>
        <translation>Light source problem.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLens</source>
        <translation>The lens is not mounted properly.
Check and remount it if necessary.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageInstallation</source>
        <translation>Current installation is not appropriate for portrait projection.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageInterlock</source>
        <translation>The interlock switch is open.</translation>
    </message>
    <message>
        <source>RemarkErrorMessagePower</source>
        <translation>Power error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp</source>
        <translation>Lamp error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp1</source>
        <translation>Lamp1 error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp2</source>
        <translation>Lamp2 error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLampLimit</source>
        <translation>The lamp has been used beyond its limit.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp1Limit</source>
        <translation>The lamp1 has been used beyond its limit.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp2Limit</source>
        <translation>The lamp2 has been used beyond its limit.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageFormatter</source>
        <translation>Formatter error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageFPGA</source>
        <translation>FPGA error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLampHousing</source>
        <translation>Lamp housing error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp1Housing</source>
        <translation>Lamp1 housing error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp2Housing</source>
        <translation>Lamp2 housing error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLampData</source>
        <translation>Lamp data error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp1Data</source>
        <translation>Lamp1 data error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp2Data</source>
        <translation>Lamp2 data error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageMirrorCover</source>
        <translation>Mirror cover error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageDust</source>
        <translation>High temperature due to dust pile-up</translation>
    </message>
    <message>
        <source>RemarkErrorMessageForeignObject</source>
        <translation>A foreign object sensor error</translation>
    </message>
    <message>
        <source>RemarkErrorMessagePomp</source>
        <translation>Pump error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageBallast</source>
        <translation>Ballast communication error</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLampLeach</source>
        <translation>The lamp has reached the end of its usable life.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp1Leach</source>
        <translation>The lamp1 has reached the end of its usable life.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessageLamp2Leach</source>
        <translation>The lamp2 has reached the end of its usable life.
Please replace the lamp.
Use the specified lamp for safety and performance.</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0102</source>
        <translation>Other error ( Data1 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0103</source>
        <translation>Other error ( Data1 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0107</source>
        <translation>Other error ( Data1 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0200</source>
        <translation>Other error ( Data2 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0202</source>
        <translation>Other error ( Data2 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0203</source>
        <translation>Other error ( Data2 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0204</source>
        <translation>Other error ( Data2 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0205</source>
        <translation>Other error ( Data2 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0206</source>
        <translation>Other error ( Data2 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0207</source>
        <translation>Other error ( Data2 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0300</source>
        <translation>Other error ( Data3 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0303</source>
        <translation>Other error ( Data3 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0304</source>
        <translation>Other error ( Data3 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0305</source>
        <translation>Other error ( Data3 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0306</source>
        <translation>Other error ( Data3 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0307</source>
        <translation>Other error ( Data3 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0400</source>
        <translation>Other error ( Data4 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0401</source>
        <translation>Other error ( Data4 / bit1 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0402</source>
        <translation>Other error ( Data4 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0403</source>
        <translation>Other error ( Data4 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0404</source>
        <translation>Other error ( Data4 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0406</source>
        <translation>Other error ( Data4 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0407</source>
        <translation>Other error ( Data4 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0904</source>
        <translation>Other error ( Data9 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0905</source>
        <translation>Other error ( Data9 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0906</source>
        <translation>Other error ( Data9 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage0907</source>
        <translation>Other error ( Data9 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1000</source>
        <translation>Other error ( Data10 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1001</source>
        <translation>Other error ( Data10 / bit1 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1002</source>
        <translation>Other error ( Data10 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1003</source>
        <translation>Other error ( Data10 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1004</source>
        <translation>Other error ( Data10 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1005</source>
        <translation>Other error ( Data10 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1006</source>
        <translation>Other error ( Data10 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1007</source>
        <translation>Other error ( Data10 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1100</source>
        <translation>Other error ( Data11 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1101</source>
        <translation>Other error ( Data11 / bit1 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1102</source>
        <translation>Other error ( Data11 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1103</source>
        <translation>Other error ( Data11 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1104</source>
        <translation>Other error ( Data11 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1105</source>
        <translation>Other error ( Data11 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1106</source>
        <translation>Other error ( Data11 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1107</source>
        <translation>Other error ( Data11 / bit7 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1200</source>
        <translation>Other error ( Data12 / bit0 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1201</source>
        <translation>Other error ( Data12 / bit1 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1202</source>
        <translation>Other error ( Data12 / bit2 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1203</source>
        <translation>Other error ( Data12 / bit3 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1204</source>
        <translation>Other error ( Data12 / bit4 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1205</source>
        <translation>Other error ( Data12 / bit5 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1206</source>
        <translation>Other error ( Data12 / bit6 )</translation>
    </message>
    <message>
        <source>RemarkErrorMessage1207</source>
        <translation>Other error ( Data12 / bit7 )</translation>
    </message>
</context>
<context>
    <name>CProjectorTreeView</name>
    <message>
        <source>ctxAdjust</source>
        <translation>&amp;Adjustment</translation>
    </message>
    <message>
        <source>ctxControl</source>
        <translation>C&amp;ontrol</translation>
    </message>
    <message>
        <source>ctxControlPower</source>
        <translation>&amp;Power</translation>
    </message>
    <message>
        <source>ctxControlPowerOn</source>
        <translation>Power O&amp;n</translation>
    </message>
    <message>
        <source>ctxControlPowerOff</source>
        <translation>Power O&amp;ff</translation>
    </message>
    <message>
        <source>ctxControlSignalSelect</source>
        <translation>&amp;Signal Select</translation>
    </message>
    <message>
        <source>ctxControlFreeze</source>
        <translation>&amp;Freeze</translation>
    </message>
    <message>
        <source>ctxControlFreezeOn</source>
        <translation>Freeze O&amp;n</translation>
    </message>
    <message>
        <source>ctxControlFreezeOff</source>
        <translation>Freeze O&amp;ff</translation>
    </message>
    <message>
        <source>ctxControlPictureMute</source>
        <translation>P&amp;icture Blank</translation>
    </message>
    <message>
        <source>ctxControlPictureMuteOn</source>
        <translation>Picture Blank O&amp;n</translation>
    </message>
    <message>
        <source>ctxControlPictureMuteOff</source>
        <translation>Picture Blank O&amp;ff</translation>
    </message>
    <message>
        <source>ctxControlSoundMute</source>
        <translation>So&amp;und Mute</translation>
    </message>
    <message>
        <source>ctxControlSoundMuteOn</source>
        <translation>Sound Mute O&amp;n</translation>
    </message>
    <message>
        <source>ctxControlSoundMuteOff</source>
        <translation>Sound Mute O&amp;ff</translation>
    </message>
    <message>
        <source>ctxControlOsdMute</source>
        <translation>&amp;On-screen Display</translation>
    </message>
    <message>
        <source>ctxControlOsdMuteOn</source>
        <translation>On-screen Display O&amp;ff</translation>
    </message>
    <message>
        <source>ctxControlOsdMuteOff</source>
        <translation>On-screen Display O&amp;n</translation>
    </message>
    <message>
        <source>ctxEditPJName</source>
        <translation>Re&amp;name</translation>
    </message>
    <message>
        <source>ctxRefresh</source>
        <translation>Re&amp;fresh</translation>
    </message>
    <message>
        <source>ctxCut</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>ctxCopy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>ctxPaste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>ctxDelete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>ctxWeb</source>
        <translation>&amp;HTTPServer</translation>
    </message>
    <message>
        <source>ctxProperty</source>
        <translation>P&amp;roperty...</translation>
    </message>
    <message>
        <source>Edit Columns</source>
        <translation>&amp;Edit Column</translation>
    </message>
    <message>
        <source>MainMsgPjNameOverMessage</source>
        <translation>The projector name must be %1 characters or less.</translation>
    </message>
</context>
<context>
    <name>CSchedule</name>
    <message>
        <source>FileWriteErrorMsg</source>
        <translation>An error occurred while writing the file.</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOn</source>
        <translation>Power ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOff</source>
        <translation>Power OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteON</source>
        <translation>Picture Blank ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteOFF</source>
        <translation>Picture Blank OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteON</source>
        <translation>Sound Mute ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteOFF</source>
        <translation>Sound Mute OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteON</source>
        <translation>On-screen Display OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteOFF</source>
        <translation>On-screen Display ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteON</source>
        <translation>AV-MUTE ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteOFF</source>
        <translation>AV-MUTE OFF</translation>
    </message>
    <message>
        <source>ScheduleStatusOK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ScheduleStatusNG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>ScheduleStatusNA</source>
        <translation>NA</translation>
    </message>
</context>
<context>
    <name>CTransportLog</name>
    <message>
        <source>FileWriteErrorMsg</source>
        <translation>An error occurred while writing the file.</translation>
    </message>
</context>
<context>
    <name>DeviceSettingWindow</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;New Settings</source>
        <translation>&amp;New Settings...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnComment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnDevice</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnPjName</source>
        <translation>Projector Name</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnPort</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnSetting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>CommSettingDevListColumnSettingName</source>
        <translation>Setting Name</translation>
    </message>
    <message>
        <source>CommSettingEditTitleEditConnection</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>CommSettingEditTitleNewConnection</source>
        <translation>New Settings</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingAllDeleteMessage</source>
        <translation>Do you want to delete all settings?</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingDeleteMessage</source>
        <translation>%1(%2)
Do you want to delete the settings?</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingDeleteMessage2</source>
        <translation>Do you want to delete selected %1 settings?</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingIDError</source>
        <translation>There is no ID that can be used for the setting.</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingSettingCountOverMessage</source>
        <translation>Up to 2000 settings can be entered.</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingNameOverMessage</source>
        <translation>Your typed name exceeds the length limit.
The name must be %1 characters or less.</translation>
    </message>
    <message>
        <source>Communication Settings</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>DeviceStrLan</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>DeviceStrSerial</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>Menu_AllCheck</source>
        <translation>All Chec&amp;k</translation>
    </message>
    <message>
        <source>Menu_AllDelete</source>
        <translation>&amp;All Delete</translation>
    </message>
    <message>
        <source>Menu_AllClear</source>
        <translation>All Clear(&amp;C)</translation>
    </message>
    <message>
        <source>Menu_Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Menu_Edit</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>Menu_NewSettings</source>
        <translation>&amp;New Settings...</translation>
    </message>
    <message>
        <source>Menu_Rename</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
</context>
<context>
    <name>EditSettingWindow</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Communications Port</source>
        <translation>Communications Port</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>EditSettingMsgErrorHostNameMessage</source>
        <translation>Host name is invalid.</translation>
    </message>
    <message>
        <source>EditSettingMsgErrorIPAddressMessage</source>
        <translation>IP address is invalid.</translation>
    </message>
    <message>
        <source>EditSettingMsgErrorInputMessage</source>
        <translation>The mistake is found in the content of the input.</translation>
    </message>
    <message>
        <source>EditSettingMsgErrorPortMessage</source>
        <translation>Port number is invalid.</translation>
    </message>
    <message>
        <source>EditSettingMsgErrorSerialPortMessage</source>
        <translation>Any communications port has not been selected.</translation>
    </message>
    <message>
        <source>Host Name</source>
        <translation>Host Name</translation>
    </message>
    <message>
        <source>IP Address(v4)</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>IP Address(v6)</source>
        <translation>IP Addresss(IPv6)</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>Only the mounted communications port is 
displayed.</source>
        <translation>Only the mounted communications port is displayed.</translation>
    </message>
    <message>
        <source>PortNumber</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>Setting Name</source>
        <translation>Setting Name</translation>
    </message>
</context>
<context>
    <name>FormAutoSearchSerial</name>
    <message>
        <source>Serial Auto Search</source>
        <translation>Serial Auto Search</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>FormCalendar</name>
    <message>
        <source>Setting No Operating Date</source>
        <translation>Setting No Operating Date</translation>
    </message>
    <message>
        <source>SU</source>
        <translation>SU</translation>
    </message>
    <message>
        <source>MO</source>
        <translation>MO</translation>
    </message>
    <message>
        <source>TU</source>
        <translation>TU</translation>
    </message>
    <message>
        <source>WE</source>
        <translation>WE</translation>
    </message>
    <message>
        <source>TH</source>
        <translation>TH</translation>
    </message>
    <message>
        <source>FR</source>
        <translation>FR</translation>
    </message>
    <message>
        <source>SA</source>
        <translation>SA</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Today</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>&amp;Deselect</source>
        <translation>&amp;Deselect</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>CalendarDateFormat</source>
        <translation>MMMM,yyyy</translation>
    </message>
</context>
<context>
    <name>FormChooseProjectorListColumn</name>
    <message>
        <source>Choose Details</source>
        <translation>Choose Details</translation>
    </message>
    <message>
        <source>Select the details you want to display for the projector list.</source>
        <translation>Select the details you want to display for the projector list.</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Move &amp;Down</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Show</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>&amp;Hide</translation>
    </message>
    <message>
        <source>&amp;Width of selected column (in pixels):</source>
        <translation>&amp;Width of selected column (in pixels):</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>D&amp;efault</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>ChooseColumnMsgSetDefaultMessage</source>
        <translation>Is the detail setting set to default?</translation>
    </message>
</context>
<context>
    <name>FormMailSettings</name>
    <message>
        <source>Mail Settings</source>
        <translation>Mail Setting</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>&amp;Send error information mail.</source>
        <translation>&amp;Send error information mail.</translation>
    </message>
    <message>
        <source>Recipient 1</source>
        <translation>Recipient 1</translation>
    </message>
    <message>
        <source>Recipient 2</source>
        <translation>Recipient 2</translation>
    </message>
    <message>
        <source>Recipient 3</source>
        <translation>Recipient 3</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>SMTP Server</source>
        <translation>SMTP Server</translation>
    </message>
    <message>
        <source>Sender Address</source>
        <translation>Sender Address</translation>
    </message>
    <message>
        <source>Authentication Method</source>
        <translation>Authentication Method</translation>
    </message>
    <message>
        <source>POP3 Server</source>
        <translation>POP3 Server</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>User Name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>POP before SMTP</source>
        <translation>POP before SMTP</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>SMTP over SSL</source>
        <translation>SMTP over SSL</translation>
    </message>
    <message>
        <source>&amp;Test Mail</source>
        <translation>&amp;Test Mail</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>MailMsgEditErrorCommentLengthOver</source>
        <translation>Comments can contain no more than 1000 characters (including line breaks).</translation>
    </message>
    <message>
        <source>MailMsgEditError</source>
        <translation>The mistake is found in the content of the input.</translation>
    </message>
</context>
<context>
    <name>FormOptionSettings</name>
    <message>
        <source>Option Settings</source>
        <translation>Option Setting</translation>
    </message>
    <message>
        <source>Resident application.</source>
        <translation>Resident application.</translation>
    </message>
    <message>
        <source>Save event log.</source>
        <translation>Save event log.</translation>
    </message>
    <message>
        <source>Save transport log.</source>
        <translation>Save transport log.</translation>
    </message>
    <message>
        <source>Save schedule log.</source>
        <translation>Save schedule log.</translation>
    </message>
    <message>
        <source>Projector information is updated automatically.</source>
        <translation>Projector information is updated automatically.</translation>
    </message>
    <message>
        <source>Import the Projector List automatically.</source>
        <translation>Import the Projector List automatically.</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>OptionMsgTransportLogPathErrorMessage</source>
        <translation>"Save transport log path" is invalid.</translation>
    </message>
    <message>
        <source>OptionMsgOverFlowTransportLogPathMessage</source>
        <translation>Up to %1 characters can be set in "Save transport log path".</translation>
    </message>
    <message>
        <source>OptionMsgEventLogPathErrorMessage</source>
        <translation>"Save event log path" is invalid.</translation>
    </message>
    <message>
        <source>OptionMsgOverFlowEventLogPathMessage</source>
        <translation>Up to %1 characters can be set in "Save event log path".</translation>
    </message>
    <message>
        <source>OptionMsgScheduleLogPathErrorMessage</source>
        <translation>"Save schedule log path" is invalid.</translation>
    </message>
    <message>
        <source>OptionMsgOverFlowScheduleLogPathMessage</source>
        <translation>Up to %1 characters can be set in "Save schedule log path".</translation>
    </message>
    <message>
        <source>OptionMsgUpdateIntervalErrorMessage</source>
        <translation>Effective values at update intervals are from %1 to %2.</translation>
    </message>
    <message>
        <source>OptionMsgBootImportPathErrorMessage</source>
        <translation>"Import the Projector List automatically" is invalid.</translation>
    </message>
    <message>
        <source>OptionMsgOverFlowBootImportPathMessage</source>
        <translation>Up to %1 characters can be set in "Import the Projector List automatically".</translation>
    </message>
    <message>
        <source>Message save transport log.</source>
        <translation>Please choose the path which saves a transport log.</translation>
    </message>
    <message>
        <source>Mesasge save schedule log.</source>
        <translation>Please choose the path which saves a schedule log.</translation>
    </message>
    <message>
        <source>Message save event log.</source>
        <translation>Please choose the path which saves a event log.</translation>
    </message>
    <message>
        <source>UserListFileFilter</source>
        <translation>projector list files(*.lst);;all files(*)</translation>
    </message>
</context>
<context>
    <name>FormPJAdjust</name>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>3D Surround</source>
        <translation>3D Surround</translation>
    </message>
    <message>
        <source>3D Y/CSeparation</source>
        <translation>3D Y/C Separation</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0 {0%?}</translation>
    </message>
    <message>
        <source>4:3 / 4:3 Window</source>
        <translation>4:3 Window</translation>
    </message>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>Aspect Ratio</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Bass</source>
        <translation>Bass</translation>
    </message>
    <message>
        <source>BlockNR</source>
        <translation>Block NR</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Deinterlace</source>
        <translation>Deinterlace</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>Detail</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>Horizontal Position</source>
        <translation>Horizontal Position</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>Image Options</source>
        <translation>Image Options</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>MosquitoNR</source>
        <translation>Mosquito NR</translation>
    </message>
    <message>
        <source>Native</source>
        <translation>Native</translation>
    </message>
    <message>
        <source>Noise Reduction</source>
        <translation>Noise Reduction</translation>
    </message>
    <message>
        <source>Overscan</source>
        <translation>Overscan</translation>
    </message>
    <message>
        <source>PJAdjust</source>
        <translation>Adjustment</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Picture2</source>
        <translation>Picture2</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Professional</source>
        <translation>Professional</translation>
    </message>
    <message>
        <source>RandomNR</source>
        <translation>Random NR</translation>
    </message>
    <message>
        <source>Relative</source>
        <translation>Relative value</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Sharpness</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Treble</source>
        <translation>Treble</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>R&amp;efresh</translation>
    </message>
    <message>
        <source>Velvix</source>
        <translation>Contrast Enhancement</translation>
    </message>
    <message>
        <source>Vertical Position</source>
        <translation>Vertical Position</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>ページ</source>
        <translation>Page</translation>
    </message>
</context>
<context>
    <name>FormPJAdjustDetail</name>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>lblBrightnessBlue</source>
        <translation>Brightness B</translation>
    </message>
    <message>
        <source>lblBrightnessGreen</source>
        <translation>Brightness G</translation>
    </message>
    <message>
        <source>lblBrightnessRed</source>
        <translation>Brightness R</translation>
    </message>
    <message>
        <source>lblColorTemperature</source>
        <translation>ColorTemperature</translation>
    </message>
    <message>
        <source>lblContrastBlue</source>
        <translation>Contrast B</translation>
    </message>
    <message>
        <source>lblContrastGreen</source>
        <translation>Contrast G</translation>
    </message>
    <message>
        <source>lblContrastRed</source>
        <translation>Contrast R</translation>
    </message>
    <message>
        <source>lblGammaCorrection</source>
        <translation>Gamma Correction</translation>
    </message>
    <message>
        <source>lblRefer</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>lblWhiteBalance</source>
        <translation>White Balance</translation>
    </message>
</context>
<context>
    <name>FormSchedule</name>
    <message>
        <source>Edit a schedule</source>
        <translation>Edit a schedule</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Add...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ScheduleListColumnNumber</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>ScheduleListColumnTarget</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>ScheduleListColumnSettingName</source>
        <translation>Setting Name</translation>
    </message>
    <message>
        <source>ScheduleListColumnFunction</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>ScheduleListColumnAdvancedSetting</source>
        <translation>Advanced Settings</translation>
    </message>
    <message>
        <source>ScheduleListColumnDuration</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>ScheduleListColumnTime</source>
        <translation>Execution Time</translation>
    </message>
    <message>
        <source>ScheduleListColumnComment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPower</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemMute</source>
        <translation>AV-MUTE</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSignalSelect</source>
        <translation>Signal Select</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOn</source>
        <translation>Power ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOff</source>
        <translation>Power OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteON</source>
        <translation>Picture Blank ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteOFF</source>
        <translation>Picture Blank OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteON</source>
        <translation>Sound Mute ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteOFF</source>
        <translation>Sound Mute OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteON</source>
        <translation>On-screen Display OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteOFF</source>
        <translation>On-screen Display ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteON</source>
        <translation>AV-MUTE ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteOFF</source>
        <translation>AV-MUTE OFF</translation>
    </message>
    <message>
        <source>ScheduleDurationSunday</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>ScheduleDurationMonday</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>ScheduleDurationTuesday</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>ScheduleDurationWednesday</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>ScheduleDurationThursday</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>ScheduleDurationFriday</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>ScheduleDurationSaturday</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>ScheduleDurationSeparate</source>
        <translation>,</translation>
    </message>
    <message>
        <source>ScheduleDurationDateFormat</source>
        <translation>MMM.dd, yyyy</translation>
    </message>
    <message>
        <source>FormScheduleAddTitle</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>FormScheduleEditTitle</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>ScheduleMsgDeleteScheduleMessage</source>
        <translation>Do you want to delete Event No.%1?</translation>
    </message>
    <message>
        <source>ScheduleMsgAllDeleteScheduleMessage</source>
        <translation>Do you want to delete all event?</translation>
    </message>
    <message>
        <source>ctxScheduleCopy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>ctxSchedulePaste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>ctxScheduleAdd</source>
        <translation>&amp;Add...</translation>
    </message>
    <message>
        <source>ctxScheduleEdit</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>ctxScheduleDelete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>ctxScheduleAllDelete</source>
        <translation>All Delete</translation>
    </message>
</context>
<context>
    <name>FormScheduleEdit</name>
    <message>
        <source>Edit Schedule</source>
        <translation>Edit Schedule</translation>
    </message>
    <message>
        <source>GroupBox</source>
        <translation>Target Select</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Projector</source>
        <translation>Projector</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Day of the Week / Date</source>
        <translation>Day of the Week / Date</translation>
    </message>
    <message>
        <source>Start Date</source>
        <translation>Start Date</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Finish Date</source>
        <translation>Finish Date</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Execution Time</source>
        <translation>Execution Time</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Advanced Setting</source>
        <translation>Advanced Setting</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Enable the event</source>
        <translation>Enable the event</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemDayOfTheWeek</source>
        <translation>Day of the Week</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemDate</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPower</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemMute</source>
        <translation>AV-MUTE</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSignalSelect</source>
        <translation>Signal Select</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOn</source>
        <translation>Power ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPowerOff</source>
        <translation>Power OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteON</source>
        <translation>Picture Blank ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemPictureMuteOFF</source>
        <translation>Picture Blank OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteON</source>
        <translation>Sound Mute ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemSoundMuteOFF</source>
        <translation>Sound Mute OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteON</source>
        <translation>On-screen Display OFF</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemOSDMuteOFF</source>
        <translation>On-screen Display ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteON</source>
        <translation>AV-MUTE ON</translation>
    </message>
    <message>
        <source>ScheduleEditComboItemAllMuteOFF</source>
        <translation>AV-MUTE OFF</translation>
    </message>
    <message>
        <source>ScheduleDateTimePickerFormat</source>
        <translation>yyyy/MM/dd</translation>
    </message>
    <message>
        <source>FormCalendarTitle</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>Reset Input Terminal.</source>
        <translation>Return to the default.
  - Advanced Settings</translation>
    </message>
</context>
<context>
    <name>FormStartOtherApp</name>
    <message>
        <source>Start Application Settings</source>
        <translation>Application launch setting</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Move &amp;Down</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Add...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>De&amp;lete</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>StartAppSettingEditTitleNew</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>StartAppSettingEditTitleEdit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>StartOtherAppDeleteMessage</source>
        <translation>%1
Do you want to delete the settings?</translation>
    </message>
    <message>
        <source>StartOtherAppDeleteMessage2</source>
        <translation>Do you want to delete selected %1 settings?</translation>
    </message>
</context>
<context>
    <name>FormStartOtherAppAdd</name>
    <message>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>DisplayName</source>
        <translation>Display item names</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Arguments</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>application files(%1);;all files(*.*)</source>
        <translation>Application files(%1);;all files(*)</translation>
    </message>
</context>
<context>
    <name>Lumivox5Main</name>
    <message>
        <source>Lumivox5Main</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>lblDetail1</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>lblDetail2</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>lblDetail3</source>
        <translation>Projector Name</translation>
    </message>
    <message>
        <source>lblDetail4</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>lblDetail5</source>
        <translation>Input Terminal</translation>
    </message>
    <message>
        <source>DetailSetting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>DetailPort</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>DetailProjectorName</source>
        <translation>Projector Name</translation>
    </message>
    <message>
        <source>DetailStatus</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>DetailInputTerminal</source>
        <translation>Input Terminal</translation>
    </message>
    <message>
        <source>Container for Search</source>
        <translation>Container for Search</translation>
    </message>
    <message>
        <source>Search Result</source>
        <translation>Search Result</translation>
    </message>
    <message>
        <source>search condition</source>
        <translation>search condition</translation>
    </message>
    <message>
        <source>ProjectorList</source>
        <translation>Projector List</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>lblPropPJName</source>
        <translation>Projector Name</translation>
    </message>
    <message>
        <source>lblPropMdlName</source>
        <translation>Model Name</translation>
    </message>
    <message>
        <source>lblPropStatus</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>lblPropLamp</source>
        <translation>Lamp Used Hours</translation>
    </message>
    <message>
        <source>lblPropLamp2</source>
        <translation>Lamp2 Used Hours</translation>
    </message>
    <message>
        <source>lblPropFilter</source>
        <translation>Filter Used Hours</translation>
    </message>
    <message>
        <source>lblPropSignalName</source>
        <translation>Source Name</translation>
    </message>
    <message>
        <source>lblPropInput</source>
        <translation>Input Terminal</translation>
    </message>
    <message>
        <source>lblPropHorizn</source>
        <translation>Horizontal Frequency</translation>
    </message>
    <message>
        <source>lblPropVertical</source>
        <translation>Vertical Frequency</translation>
    </message>
    <message>
        <source>lblPropSync</source>
        <translation>Sync Polarity</translation>
    </message>
    <message>
        <source>Remark</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>tabGeneral</source>
        <translation>General</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>H</translation>
    </message>
    <message>
        <source>tabInput</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>lblPropInputType</source>
        <translation>lblPropInputType</translation>
    </message>
    <message>
        <source>lblPropVideo</source>
        <translation>lblPropVideo</translation>
    </message>
    <message>
        <source>lblPropInputName</source>
        <translation>lblPropInputName</translation>
    </message>
    <message>
        <source>lblPropNo</source>
        <translation>lblPropNo</translation>
    </message>
    <message>
        <source>lblPropType</source>
        <translation>lblPropType</translation>
    </message>
    <message>
        <source>lblPropScanType</source>
        <translation>lblPropScanType</translation>
    </message>
    <message>
        <source>tabNetwork</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Priority LAN</source>
        <translation>Priority LAN</translation>
    </message>
    <message>
        <source>lblPropIpAddr</source>
        <translation>lblPropIpAddr</translation>
    </message>
    <message>
        <source>lblPropSubnetMask</source>
        <translation>lblPropSubnetMask</translation>
    </message>
    <message>
        <source>lblPropGateway</source>
        <translation>lblPropGateway</translation>
    </message>
    <message>
        <source>lblPropMacAddr</source>
        <translation>lblPropMacAddr</translation>
    </message>
    <message>
        <source>Wireless LAN</source>
        <translation>Wireless LAN</translation>
    </message>
    <message>
        <source>lblPropWIpAddr</source>
        <translation>lblPropWIpAddr</translation>
    </message>
    <message>
        <source>lblPropWSubnetMask</source>
        <translation>lblPropWSubnetMask</translation>
    </message>
    <message>
        <source>lblPropWGateway</source>
        <translation>lblPropWGateway</translation>
    </message>
    <message>
        <source>lblPropWMacAddr</source>
        <translation>lblPropWMacAddr</translation>
    </message>
    <message>
        <source>lblPropSSID</source>
        <translation>lblPropSSID</translation>
    </message>
    <message>
        <source>lblPropConnectionMode</source>
        <translation>lblPropConnectionMode</translation>
    </message>
    <message>
        <source>lblPropWEPWPA</source>
        <translation>lblPropWEPWPA</translation>
    </message>
    <message>
        <source>lblPropChannel</source>
        <translation>lblPropChannel</translation>
    </message>
    <message>
        <source>lblPropSignalLevel</source>
        <translation>lblPropSignalLevel</translation>
    </message>
    <message>
        <source>tabVersion</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>lblPropProduct</source>
        <translation>lblPropProduct</translation>
    </message>
    <message>
        <source>lblPropSerialNo</source>
        <translation>lblPropSerialNo</translation>
    </message>
    <message>
        <source>lblPropLanUnitType</source>
        <translation>lblPropLanUnitType</translation>
    </message>
    <message>
        <source>lblPropLanUnitVersion</source>
        <translation>lblPropLanUnitVersion</translation>
    </message>
    <message>
        <source>lblPropFirmware</source>
        <translation>lblPropFirmware</translation>
    </message>
    <message>
        <source>lblPropData</source>
        <translation>lblPropData</translation>
    </message>
    <message>
        <source>lblPropFirmware2</source>
        <translation>lblPropFirmware2</translation>
    </message>
    <message>
        <source>lblPropData2</source>
        <translation>lblPropData2</translation>
    </message>
    <message>
        <source>tabGeneralTemp</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Schedule</translation>
    </message>
    <message>
        <source>EventLog</source>
        <translation>EventLog</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Imoprt</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>&amp;Show Log</source>
        <translation>&amp;Display log</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <translation>S&amp;ort</translation>
    </message>
    <message>
        <source>&amp;Tool</source>
        <translation>&amp;Tool</translation>
    </message>
    <message>
        <source>&amp;App Start</source>
        <translation>&amp;Launch application</translation>
    </message>
    <message>
        <source>&amp;Group</source>
        <translation>&amp;Group</translation>
    </message>
    <message>
        <source>&amp;Projector</source>
        <translation>&amp;Projector</translation>
    </message>
    <message>
        <source>C&amp;ontrol</source>
        <translation>C&amp;ontrol</translation>
    </message>
    <message>
        <source>&amp;Power</source>
        <translation>&amp;Power</translation>
    </message>
    <message>
        <source>&amp;Signal Select</source>
        <translation>&amp;Signal Select</translation>
    </message>
    <message>
        <source>&amp;Freeze</source>
        <translation>&amp;Freeze</translation>
    </message>
    <message>
        <source>&amp;Picture Blank</source>
        <translation>P&amp;icture Blank</translation>
    </message>
    <message>
        <source>So&amp;und Mute</source>
        <translation>So&amp;und Mute</translation>
    </message>
    <message>
        <source>&amp;On-screen Display</source>
        <translation>&amp;On-screen Display</translation>
    </message>
    <message>
        <source>&amp;Schedule</source>
        <translation>&amp;Schedule</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help </translation>
    </message>
    <message>
        <source>&amp;Work Offline</source>
        <translation>&amp;Work Offline</translation>
    </message>
    <message>
        <source>&amp;Projector List...</source>
        <translation>&amp;Projector List...</translation>
    </message>
    <message>
        <source>&amp;Schedule...</source>
        <translation>&amp;Schedule...</translation>
    </message>
    <message>
        <source>&amp;EventLog</source>
        <translation>&amp;Event log</translation>
    </message>
    <message>
        <source>&amp;CSV File...</source>
        <translation>&amp;CSV File...</translation>
    </message>
    <message>
        <source>&amp;EventLog...</source>
        <translation>&amp;Event log...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edit Column...</source>
        <translation>E&amp;dit Column...</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Re&amp;fresh All</source>
        <translation>Re&amp;fresh All</translation>
    </message>
    <message>
        <source>EventList &amp;Clear</source>
        <translation>EventList &amp;Clear</translation>
    </message>
    <message>
        <source>&amp;Mail Settings...</source>
        <translation>&amp;Mail Settings...</translation>
    </message>
    <message>
        <source>&amp;Option Settings...</source>
        <translation>&amp;Option Settings...</translation>
    </message>
    <message>
        <source>&amp;Communication Settings...</source>
        <translation>&amp;Communication Settings...</translation>
    </message>
    <message>
        <source>&amp;LAN Auto Search...</source>
        <translation>&amp;LAN Auto Search...</translation>
    </message>
    <message>
        <source>&amp;Serial Auto Search...</source>
        <translation>&amp;Serial Auto Search...</translation>
    </message>
    <message>
        <source>&amp;Start Application Settings...</source>
        <translation>&amp;Application launch setting...</translation>
    </message>
    <message>
        <source>&amp;Create Group</source>
        <translation>&amp;Create Group</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>&amp;Adjustment</source>
        <translation>&amp;Adjustment</translation>
    </message>
    <message>
        <source>Projector &amp;Rename</source>
        <translation>Re&amp;name</translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>Re&amp;fresh</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>P&amp;roperty</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>E&amp;xecute</source>
        <translation>E&amp;xecute</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Setting &amp;No Operating Date...</source>
        <translation>Setting &amp;No Operating Date...</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>&amp;About Lumivox5...</source>
        <translation>&amp;About Lumivox 5</translation>
    </message>
    <message>
        <source>Virtual Time</source>
        <translation>Virtual Time</translation>
    </message>
    <message>
        <source>Virtual Time Setting...</source>
        <translation>Virtual Time Setting...</translation>
    </message>
    <message>
        <source>&amp;Transport...</source>
        <translation>&amp;Transport...</translation>
    </message>
    <message>
        <source>Power O&amp;n</source>
        <translation>Power O&amp;n</translation>
    </message>
    <message>
        <source>Power O&amp;ff</source>
        <translation>Power O&amp;ff</translation>
    </message>
    <message>
        <source>Freeze O&amp;n</source>
        <translation>Freeze O&amp;n</translation>
    </message>
    <message>
        <source>Freeze O&amp;ff</source>
        <translation>Freeze O&amp;ff</translation>
    </message>
    <message>
        <source>Picture Blank O&amp;n</source>
        <translation>Picture Blank O&amp;n</translation>
    </message>
    <message>
        <source>Picture Blank O&amp;ff</source>
        <translation>Picture Blank O&amp;ff</translation>
    </message>
    <message>
        <source>Sound Mute O&amp;n</source>
        <translation>Sound Mute O&amp;n</translation>
    </message>
    <message>
        <source>Sound Mute O&amp;ff</source>
        <translation>Sound Mute O&amp;ff</translation>
    </message>
    <message>
        <source>On-screen Display O&amp;ff</source>
        <translation>On-screen Display O&amp;ff</translation>
    </message>
    <message>
        <source>On-screen Display O&amp;n</source>
        <translation>On-screen Display O&amp;n</translation>
    </message>
    <message>
        <source>&amp;Event...</source>
        <translation>&amp;Event...</translation>
    </message>
    <message>
        <source>&amp;Detail</source>
        <translation>&amp;Detail</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;HTTPServer</translation>
    </message>
    <message>
        <source>ToolBar</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Power On</source>
        <translation>Power On</translation>
    </message>
    <message>
        <source>Power Off</source>
        <translation>Power Off</translation>
    </message>
    <message>
        <source>Signal Select</source>
        <translation>Signal Select</translation>
    </message>
    <message>
        <source>AV-MUTE</source>
        <translation>AV-MUTE</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Freeze</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Schedule Edit</source>
        <translation>Schedule Edit</translation>
    </message>
    <message>
        <source>Schedule Execute</source>
        <translation>Schedule Execute</translation>
    </message>
    <message>
        <source>Schedule Cancel</source>
        <translation>Schedule Cancel</translation>
    </message>
    <message>
        <source>Mail Settings</source>
        <translation>Mail Settings</translation>
    </message>
    <message>
        <source>Communication Settings</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>Option Settings</source>
        <translation>Option Settings</translation>
    </message>
    <message>
        <source>Start Application Settings</source>
        <translation>Launch application</translation>
    </message>
    <message>
        <source>Picture Blank On</source>
        <translation>Picture Blank On</translation>
    </message>
    <message>
        <source>Picture Blank Off</source>
        <translation>Picture Blank Off</translation>
    </message>
    <message>
        <source>Sound Mute On</source>
        <translation>Sound Mute On</translation>
    </message>
    <message>
        <source>Sound Mute Off</source>
        <translation>Sound Mute Off</translation>
    </message>
    <message>
        <source>On-screen Display Off</source>
        <translation>On-screen Display Off</translation>
    </message>
    <message>
        <source>On-screen Display On</source>
        <translation>On-screen Display On</translation>
    </message>
    <message>
        <source>MenuSignalSelectNone</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>MainMsgUserListReadErrorMessage</source>
        <translation>The file format is corrupted.</translation>
    </message>
    <message>
        <source>UserListMsgImportFailed</source>
        <translation>Projector List Import has been failed.</translation>
    </message>
    <message>
        <source>MainMsgDeleteSettingsMessage</source>
        <translation>%1(%2)
Do you want delete this settings?</translation>
    </message>
    <message>
        <source>MainMsgDeleteSettingsMessage2</source>
        <translation>Do you want delete these %1 settings?</translation>
    </message>
    <message>
        <source>MainMsgOverMaxGroupsToRegist</source>
        <translation>Settings can be registered in up to %1 groups.</translation>
    </message>
    <message>
        <source>MainMsgExitAppMessageMailEnable</source>
        <translation>Stop a mail function and exit the application.
Are you sure?</translation>
    </message>
    <message>
        <source>MainMsgExitAppMessageMailEnableAndScheduleExecuted</source>
        <translation>Stop a mail function and a schedule, then exit the application.
The schedule will be executed automatically the next time the application is launched.
Are you sure?</translation>
    </message>
    <message>
        <source>MainMsgExitAppMessageScheduleExecuted</source>
        <translation>Stop a schedule and exit the application.
The schedule will be executed automatically the next time the application is launched.
Are you sure?</translation>
    </message>
    <message>
        <source>MainMsgExitSaveFailed</source>
        <translation>Changes could not be saved:
%1
The files named there stay as they were. Retry once the cause is mended, exit without the changes, or cancel to keep working.</translation>
    </message>
    <message>
        <source>MainBtnExitAnyway</source>
        <translation>Exit anyway</translation>
    </message>
    <message>
        <source>MainMsgReportedNamesNotSaved</source>
        <translation>The projector names reported by the projectors could not be saved:
%1
They are saved again with the next change and at exit.</translation>
    </message>
    <message>
        <source>MainMsgImportNotKept</source>
        <translation>The imported projector list is in use, but it could not be written to %1.
It is written again at exit.</translation>
    </message>
    <message>
        <source>MainMsgExitSettingsNotSaved</source>
        <translation>%1: the settings could not be written.</translation>
    </message>
    <message>
        <source>MainMsgExitUserListNotAList</source>
        <translation>%1: the file there is not a projector list and was left alone.</translation>
    </message>
    <message>
        <source>MainMsgExitUserListNotSaved</source>
        <translation>%1: the projector list could not be written.</translation>
    </message>
    <message>
        <source>MainMsgExitScheduleNotSaved</source>
        <translation>%1: the schedules could not be written.</translation>
    </message>
    <message>
        <source>MainMsgMailSettingsNotSaved</source>
        <translation>The mail settings could not be written to %1.
They apply until the program ends; saving them is tried again at exit.</translation>
    </message>
    <message>
        <source>TestMailSubject</source>
        <translation>[Lumivox 5] Test Mail</translation>
    </message>
    <message>
        <source>TestMailHeader</source>
        <translation>The content of [Mail Setting] set is as follows.</translation>
    </message>
    <message>
        <source>TestMailSenderAddress</source>
        <translation>    Sender Address   : </translation>
    </message>
    <message>
        <source>TestMailSMTPServer</source>
        <translation>    SMTP Server      : </translation>
    </message>
    <message>
        <source>TestMailPOP3Server</source>
        <translation>    POP3 Server      : </translation>
    </message>
    <message>
        <source>TestMailToAddress1</source>
        <translation>    To Address1      : </translation>
    </message>
    <message>
        <source>TestMailToAddress2</source>
        <translation>    To Address2      : </translation>
    </message>
    <message>
        <source>TestMailToAddress3</source>
        <translation>    To Address3      : </translation>
    </message>
    <message>
        <source>TestMailComment</source>
        <translation>[Comment]</translation>
    </message>
    <message>
        <source>ErrorMailSubject</source>
        <translation>[Lumivox 5] Projector Information</translation>
    </message>
    <message>
        <source>ErrorMailInformation</source>
        <translation>[Information]</translation>
    </message>
    <message>
        <source>ErrorMailPjName</source>
        <translation>    Projector Name    : </translation>
    </message>
    <message>
        <source>ErrorMailModelName</source>
        <translation>    Model Name        : </translation>
    </message>
    <message>
        <source>ErrorMailConnection</source>
        <translation>    Connection        : </translation>
    </message>
    <message>
        <source>ErrorMailLamp1UseTime</source>
        <translation>    Lamp1 Used Hours  : </translation>
    </message>
    <message>
        <source>ErrorMailLamp2UseTime</source>
        <translation>    Lamp2 Used Hours  : </translation>
    </message>
    <message>
        <source>ErrorMailLightUseTime</source>
        <translation>    Light Hours Used  : </translation>
    </message>
    <message>
        <source>ErrorMailLampUseTime</source>
        <translation>    Lamp Used Hours   : </translation>
    </message>
    <message>
        <source>ErrorMailFilterUseTime</source>
        <translation>    Filter Used Hours : </translation>
    </message>
    <message>
        <source>ErrorMailComment</source>
        <translation>[Comment]</translation>
    </message>
    <message>
        <source>MainMsgMultiPowerOnMessage</source>
        <translation>Turn on the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiPowerOffMessage</source>
        <translation>Turn off the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiPictureMuteOnMessage</source>
        <translation>Picture blank on the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiPictureMuteOffMessage</source>
        <translation>Picture blank off the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiSoundMuteOnMessage</source>
        <translation>Sound mute on the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiSoundMuteOffMessage</source>
        <translation>Sound mute off the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiOSDMuteOnMessage</source>
        <translation>On-screen display off the selected projector.</translation>
    </message>
    <message>
        <source>MainMsgMultiOSDMuteOffMessage</source>
        <translation>On-screen display on the selected projector.</translation>
    </message>
    <message>
        <source>CommSettingMsgSettingSettingCountOverMessage</source>
        <translation>Up to 2000 settings can be entered.</translation>
    </message>
    <message>
        <source>MainMsgCommSettingsSaveFailed</source>
        <translation>The projector list could not be written to %1.
The changes made in the communication settings (projectors added, edited or deleted) are kept and written again at exit.</translation>
    </message>
    <message>
        <source>MainMsgUserListSaveErrorMessage</source>
        <translation>The projector list could not be saved.
The communication settings cannot be opened.</translation>
    </message>
    <message>
        <source>MainMsgUserListSaveFailed</source>
        <translation>The projector list could not be written to %1.
The added projectors stay in the list and are written again at exit.</translation>
    </message>
    <message>
        <source>TrayMenuWindowShow</source>
        <translation>Window &amp;Show</translation>
    </message>
    <message>
        <source>TrayMenuScheduleExecute</source>
        <translation>Schedule &amp;Execute</translation>
    </message>
    <message>
        <source>TrayMenuScheduleCancel</source>
        <translation>Schedule &amp;Cancel</translation>
    </message>
    <message>
        <source>TrayMenuHelp</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>TrayMenuVersion</source>
        <translation>&amp;About Lumivox 5</translation>
    </message>
    <message>
        <source>TrayMenuExit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>trayToolTip</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>%1 of %2 selected</source>
        <translation>%1 of %2 selected</translation>
    </message>
    <message>
        <source>statusBarDateFormat</source>
        <translation>MMM.dd, yyyy (ddd) HH:mm:ss</translation>
    </message>
    <message>
        <source>MenuAppNone</source>
        <translation>None</translation>
    </message>
    <message>
        <source>MainMsgNotExistApplicationPath</source>
        <translation>%1 does not exist.</translation>
    </message>
    <message>
        <source>MainMsgWebAddressInvalid</source>
        <translation>&quot;%1&quot; in the Setting column is not an address a web browser can open.</translation>
    </message>
    <message>
        <source>MainMsgNotOpenedApplicationPath</source>
        <translation>%1 could not be started or opened.</translation>
    </message>
    <message>
        <source>MainMsgScheduleReadErrorMessage</source>
        <translation>The file format is corrupted.</translation>
    </message>
    <message>
        <source>MainMsgScheduleFileSpared</source>
        <translation>%1 is not a schedule file and could not be set aside: it was left as it is, and the schedules were not saved.</translation>
    </message>
    <message>
        <source>ScheduleEditMsgSaveFailed</source>
        <translation>Schedule Export has been failed.</translation>
    </message>
    <message>
        <source>ScheduleMsgNoScheduleData</source>
        <translation>No events are not listed in the schedule. Add an event.</translation>
    </message>
    <message>
        <source>ScheduleMsgStartConfirmation</source>
        <translation>There are no events to be executed within one week.
Do you want to continue ?</translation>
    </message>
    <message>
        <source>ScheduleMsgStopConfirmation</source>
        <translation>Do you cancel the schedule?</translation>
    </message>
    <message>
        <source>MainMsgScheduleOverWriteMessage</source>
        <translation>The existing schedule will be overwritten by imported data.
Do you want to proceed?</translation>
    </message>
    <message>
        <source>ScheduleEditMsgLoadFailed</source>
        <translation>Schedule Import has been failed.</translation>
    </message>
    <message>
        <source>ScheduleMsgNoOperatingDataGet</source>
        <translation>Read the No Operating Date?</translation>
    </message>
    <message>
        <source>ScheduleEditMsgLoadComp</source>
        <translation>Schedule Import has been completed.</translation>
    </message>
    <message>
        <source>ScheduleEditMsgSaveComp</source>
        <translation>Schedule Export has been completed.</translation>
    </message>
    <message>
        <source>ScheduleEditMsgSaveConvertedError</source>
        <translation>Schedule Export has been completed.
The character that was not able to be converted was replaced with &quot;?&quot;.</translation>
    </message>
    <message>
        <source>ScheduleFileFilter</source>
        <translation>schedule list files(*.scd);;all files(*.*)</translation>
    </message>
    <message>
        <source>ScheduleFileANSIFilter</source>
        <translation>Lumivox 4 compatible(*.scd)</translation>
    </message>
    <message>
        <source>MainMsgUserListOverWriteMessage</source>
        <translation>The existing connection target list will be overwritten by imported data.
Do you want to proceed?</translation>
    </message>
    <message>
        <source>UserListFileFilter</source>
        <translation>projector list files(*.lst);;all files(*)</translation>
    </message>
    <message>
        <source>UserListFileANSIFilter</source>
        <translation>Lumivox 4 compatible(*.lst)</translation>
    </message>
    <message>
        <source>UserListMsgImportComp</source>
        <translation>Projector List Import has been completed.</translation>
    </message>
    <message>
        <source>UserListMsgExportComp</source>
        <translation>Projector List Export has been completed.</translation>
    </message>
    <message>
        <source>UserListMsgExportConvertedError</source>
        <translation>Projector List Export has been completed.
The character that was not able to be converted was replaced with &quot;?&quot;.</translation>
    </message>
    <message>
        <source>UserListMsgExportFailed</source>
        <translation>Projector List Export has been failed.</translation>
    </message>
    <message>
        <source>DefaultCSVFileName</source>
        <translation>NewFile.csv</translation>
    </message>
    <message>
        <source>CSVFileFilter</source>
        <translation>CSV files(*.csv);;all files(*)</translation>
    </message>
    <message>
        <source>MainMsgExportCSVCompletedMessage</source>
        <translation>CSV File Export has been completed.</translation>
    </message>
    <message>
        <source>MainMsgExportCSVConvertedErrorMessage</source>
        <translation>CSV File Export has been completed.
Non-convertible characters have been replaced with &quot;?&quot;.</translation>
    </message>
    <message>
        <source>MainMsgExportCSVErrorMessage</source>
        <translation>CSV File Export has been failed.</translation>
    </message>
    <message>
        <source>MainMsgNotExistTransportLogPath</source>
        <translation>The specified path does not exist.</translation>
    </message>
    <message>
        <source>MainMsgNotExistScheduleLogPath</source>
        <translation>The specified path does not exist.</translation>
    </message>
</context>
<context>
    <name>PJSearchDlg</name>
    <message>
        <source>Dialog</source>
        <translation>Projector List</translation>
    </message>
    <message>
        <source>Projector List</source>
        <translation>Projector List</translation>
    </message>
    <message>
        <source>Projector</source>
        <translation>Projector</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>Input Address...</source>
        <translation>&amp;Input Address...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>Search Failed</source>
        <translation>Search Failed</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>DefaultInputTerminal01H</source>
        <translation>COMPUTER1</translation>
    </message>
    <message>
        <source>DefaultInputTerminal02H</source>
        <translation>COMPUTER2</translation>
    </message>
    <message>
        <source>DefaultInputTerminal06H</source>
        <translation>VIDEO</translation>
    </message>
    <message>
        <source>DefaultInputTerminal0BH</source>
        <translation>S-VIDEO</translation>
    </message>
    <message>
        <source>DefaultInputTerminal12H</source>
        <translation>COMPONENT</translation>
    </message>
    <message>
        <source>DefaultInputTerminal1AH</source>
        <translation>DIGITAL</translation>
    </message>
    <message>
        <source>DefaultInputTerminal1FH</source>
        <translation>VIEWER</translation>
    </message>
    <message>
        <source>DefaultInputTerminal20H</source>
        <translation>NETWORK</translation>
    </message>
    <message>
        <source>DefaultPicturePreset00H</source>
        <translation>HIGH-BRIGHT</translation>
    </message>
    <message>
        <source>DefaultPicturePreset01H</source>
        <translation>PRESENTATION</translation>
    </message>
    <message>
        <source>DefaultPicturePreset02H</source>
        <translation>VIDEO</translation>
    </message>
    <message>
        <source>DefaultPicturePreset03H</source>
        <translation>MOVIE</translation>
    </message>
    <message>
        <source>DefaultPicturePreset04H</source>
        <translation>GRAPHIC</translation>
    </message>
    <message>
        <source>DefaultPicturePreset05H</source>
        <translation>sRGB</translation>
    </message>
    <message>
        <source>DefaultPicturePreset06H</source>
        <translation>DICOM SIM.</translation>
    </message>
    <message>
        <source>DefaultPictureGamma00H</source>
        <translation>DYNAMIC</translation>
    </message>
    <message>
        <source>DefaultPictureGamma01H</source>
        <translation>NATURAL</translation>
    </message>
    <message>
        <source>DefaultPictureGamma02H</source>
        <translation>BLACK DETAIL</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature00H</source>
        <translation>5000</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature01H</source>
        <translation>6500</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature02H</source>
        <translation>7800</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature03H</source>
        <translation>8500</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature04H</source>
        <translation>9300</translation>
    </message>
    <message>
        <source>DefaultPictureColorTemprature05H</source>
        <translation>10500</translation>
    </message>
    <message>
        <source>DefaultImageOverscan00H</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>DefaultImageOverscan01H</source>
        <translation>5%</translation>
    </message>
    <message>
        <source>DefaultImageOverscan02H</source>
        <translation>10%</translation>
    </message>
    <message>
        <source>DefaultImageAspect00H</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>DefaultImageAspect0BH</source>
        <translation>5:4</translation>
    </message>
    <message>
        <source>DefaultImageAspect02H169</source>
        <translation>16:9</translation>
    </message>
    <message>
        <source>DefaultImageAspect0CH</source>
        <translation>16:10</translation>
    </message>
    <message>
        <source>DefaultImageAspect0DH</source>
        <translation>15:9</translation>
    </message>
    <message>
        <source>DefaultImageAspect01H</source>
        <translation>LETTER BOX</translation>
    </message>
    <message>
        <source>DefaultImageAspect02HWIDESCREEN</source>
        <translation>WIDE SCREEN</translation>
    </message>
    <message>
        <source>DefaultImageAspect04H</source>
        <translation>4:3 FILL</translation>
    </message>
    <message>
        <source>DefaultImageAspect07H</source>
        <translation>ZOOM</translation>
    </message>
    <message>
        <source>DefaultVideoRandomNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DefaultVideoRandomNR01H</source>
        <translation>LOW</translation>
    </message>
    <message>
        <source>DefaultVideoRandomNR02H</source>
        <translation>MEDIUM</translation>
    </message>
    <message>
        <source>DefaultVideoRandomNR03H</source>
        <translation>HIGH</translation>
    </message>
    <message>
        <source>DefaultVideoMosquitoNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DefaultVideoMosquitoNR01H</source>
        <translation>LOW</translation>
    </message>
    <message>
        <source>DefaultVideoMosquitoNR02H</source>
        <translation>MEDIUM</translation>
    </message>
    <message>
        <source>DefaultVideoMosquitoNR03H</source>
        <translation>HIGH</translation>
    </message>
    <message>
        <source>DefaultVideoBlockNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DefaultVideoBlockNR01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>DefaultVideoDeinterlace00H</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>DefaultVideoDeinterlace01H</source>
        <translation>VIDEO</translation>
    </message>
    <message>
        <source>DefaultVideoDeinterlace02H</source>
        <translation>FILM</translation>
    </message>
    <message>
        <source>DefaultVideo3DYCSeparation00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DefaultVideo3DYCSeparation01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>DefaultVolume3DSurround00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>DefaultVolume3DSurround01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>GroupTreeAllProjectors</source>
        <translation>All Projectors</translation>
    </message>
    <message>
        <source>GroupTreeGroup</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Lumivox5MsgTitle</source>
        <translation>Lumivox 5</translation>
    </message>
    <message>
        <source>MsgProfileError</source>
        <translation>Profile read failed.</translation>
    </message>
    <message>
        <source>MainMsgStartServerFailed</source>
        <translation>Lumivox 5 cannot start: the socket %1, by which a second start finds it, could not be opened (%2).</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset00H</source>
        <translation>HIGH-BRIGHT</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset01H</source>
        <translation>PRESENTATION</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset02H</source>
        <translation>VIDEO</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset03H</source>
        <translation>MOVIE</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset04H</source>
        <translation>GRAPHIC</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset05H</source>
        <translation>sRGB</translation>
    </message>
    <message>
        <source>MainMultiPicturePreset06H</source>
        <translation>DICOM SIM.</translation>
    </message>
    <message>
        <source>MainMultiPictureGamma00H</source>
        <translation>DYNAMIC</translation>
    </message>
    <message>
        <source>MainMultiPictureGamma01H</source>
        <translation>NATURAL</translation>
    </message>
    <message>
        <source>MainMultiPictureGamma02H</source>
        <translation>BLACK DETAIL</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature00H</source>
        <translation>5000</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature01H</source>
        <translation>6500</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature02H</source>
        <translation>7800</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature03H</source>
        <translation>8500</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature04H</source>
        <translation>9300</translation>
    </message>
    <message>
        <source>MainMultiPictureColorTemprature05H</source>
        <translation>10500</translation>
    </message>
    <message>
        <source>MainMultiImageOverscan00H</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>MainMultiImageOverscan01H</source>
        <translation>5%</translation>
    </message>
    <message>
        <source>MainMultiImageOverscan02H</source>
        <translation>10%</translation>
    </message>
    <message>
        <source>MainMultiImageAspect00H</source>
        <translation>4:3</translation>
    </message>
    <message>
        <source>MainMultiImageAspect0BH</source>
        <translation>5:4</translation>
    </message>
    <message>
        <source>MainMultiImageAspect02H169</source>
        <translation>16:9</translation>
    </message>
    <message>
        <source>MainMultiImageAspect0CH</source>
        <translation>16:10</translation>
    </message>
    <message>
        <source>MainMultiImageAspect0DH</source>
        <translation>15:9</translation>
    </message>
    <message>
        <source>MainMultiImageAspect01H</source>
        <translation>LETTER BOX</translation>
    </message>
    <message>
        <source>MainMultiImageAspect02HWIDESCREEN</source>
        <translation>WIDE SCREEN</translation>
    </message>
    <message>
        <source>MainMultiImageAspect04H</source>
        <translation>4:3 FILL</translation>
    </message>
    <message>
        <source>MainMultiImageAspect07H</source>
        <translation>ZOOM</translation>
    </message>
    <message>
        <source>MainMultiVideoRandomNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>MainMultiVideoRandomNR01H</source>
        <translation>LOW</translation>
    </message>
    <message>
        <source>MainMultiVideoRandomNR02H</source>
        <translation>MEDIUM</translation>
    </message>
    <message>
        <source>MainMultiVideoRandomNR03H</source>
        <translation>HIGH</translation>
    </message>
    <message>
        <source>MainMultiVideoMosquitoNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>MainMultiVideoMosquitoNR01H</source>
        <translation>LOW</translation>
    </message>
    <message>
        <source>MainMultiVideoMosquitoNR02H</source>
        <translation>MEDIUM</translation>
    </message>
    <message>
        <source>MainMultiVideoMosquitoNR03H</source>
        <translation>HIGH</translation>
    </message>
    <message>
        <source>MainMultiVideoBlockNR00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>MainMultiVideoBlockNR01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>MainMultiVideoDeinterlace00H</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>MainMultiVideoDeinterlace01H</source>
        <translation>VIDEO</translation>
    </message>
    <message>
        <source>MainMultiVideoDeinterlace02H</source>
        <translation>FILM</translation>
    </message>
    <message>
        <source>MainMultiVideo3DYCSeparation00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>MainMultiVideo3DYCSeparation01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>MainMultiVolume3DSurround00H</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>MainMultiVolume3DSurround01H</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OptionMsgBootImportAlertMessage</source>
        <translation>The existing connection target list will be overwritten by imported data.</translation>
    </message>
</context>
<context>
    <name>ScheduleListView</name>
    <message>
        <source>MainScheduleListColumnTarget</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>MainScheduleListColumnDate</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>MainScheduleListColumnTime</source>
        <translation>Execution Time</translation>
    </message>
    <message>
        <source>MainScheduleListColumnTask</source>
        <translation>Task</translation>
    </message>
    <message>
        <source>MainScheduleListColumnStatus</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>MainScheduleListColumnComment</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>MainScheduleListDateFormat</source>
        <translation>MMM.dd, yyyy (ddd)</translation>
    </message>
    <message>
        <source>MainScheduleListTaskPowerOn</source>
        <translation>Power ON</translation>
    </message>
    <message>
        <source>MainScheduleListTaskPowerOff</source>
        <translation>Power OFF</translation>
    </message>
    <message>
        <source>MainScheduleListTaskPictureMuteOn</source>
        <translation>Picture Blank ON</translation>
    </message>
    <message>
        <source>MainScheduleListTaskPictureMuteOff</source>
        <translation>Picture Blank OFF</translation>
    </message>
    <message>
        <source>MainScheduleListTaskSoundMuteOn</source>
        <translation>Sound Mute ON</translation>
    </message>
    <message>
        <source>MainScheduleListTaskSoundMuteOff</source>
        <translation>Sound Mute OFF</translation>
    </message>
    <message>
        <source>MainScheduleListTaskOSDMuteOn</source>
        <translation>On-screen Display OFF</translation>
    </message>
    <message>
        <source>MainScheduleListTaskOSDMuteOff</source>
        <translation>On-screen Display ON</translation>
    </message>
    <message>
        <source>MainScheduleListTaskAllMuteOn</source>
        <translation>AV-MUTE ON</translation>
    </message>
    <message>
        <source>MainScheduleListTaskAllMuteOff</source>
        <translation>AV-MUTE OFF</translation>
    </message>
    <message>
        <source>MainScheduleListTaskSignalSelect</source>
        <translation>Switch to %1</translation>
    </message>
    <message>
        <source>ScheduleStatusOK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ScheduleStatusNG</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>ScheduleStatusNA</source>
        <translation>NA</translation>
    </message>
    <message>
        <source>ctxScheduleListEditSchedule</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>ctxScheduleListExecute</source>
        <translation>E&amp;xecute</translation>
    </message>
    <message>
        <source>ctxScheduleListCancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>ctxScheduleListSettingNoOperatingDate</source>
        <translation>Setting &amp;No Operating Date...</translation>
    </message>
</context>
<context>
    <name>VirtualTimeSetting</name>
    <message>
        <source>Virtual Time Setting</source>
        <translation>Virtual Time Setting</translation>
    </message>
    <message>
        <source>Use the current time as a base.</source>
        <translation>Use the current time as a base.</translation>
    </message>
    <message>
        <source>Start Date</source>
        <translation>Start Date</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Start Time</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
</TS>
