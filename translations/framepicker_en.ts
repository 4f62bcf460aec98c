<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>New Window</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>Open Video…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>About Framepicker</translation>
    </message>
    <message>
        <source>Framepicker</source>
        <translation>Framepicker</translation>
    </message>
    <message>
        <source>about.version %@</source>
        <translation>Version %@</translation>
    </message>
    <message>
        <source>about.description</source>
        <translation>Saves the exact first and last frame of a video as PNG images.</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>Disclaimer</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>Made by</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>Drop a video here</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>Processing “%@”…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>Only files on this computer can be opened.</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>“%@” files are not supported. Choose a video file.</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>A new version of Framepicker is available.</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Later</translation>
    </message>
</context>
</TS>
