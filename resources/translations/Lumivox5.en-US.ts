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
    <name>CLumivox5Data</name>
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
    <name>DeviceSettingWindow</name>
    <message>
        <source>Menu_AllClear</source>
        <translation>All Clear(&amp;C)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>GroupTreeAllProjectors</source>
        <translation>All Projectors</translation>
    </message>
    <message>
        <source>GroupTreeGroup</source>
        <translation>Group</translation>
    </message>
</context>
</TS>
