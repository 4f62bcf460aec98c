<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>Neues Fenster</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>Video öffnen …</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>Über Framepicker</translation>
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
        <translation>Speichert das genaue erste und letzte Bild eines Videos als PNG-Dateien.</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>Haftungsausschluss</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>Entwickelt von</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>Video hierher ziehen</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>„%@“ wird verarbeitet …</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>Nur Dateien auf diesem Computer können geöffnet werden.</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>„%@“-Dateien werden nicht unterstützt. Bitte eine Videodatei wählen.</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>Eine neue Version von Framepicker ist verfügbar.</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Später</translation>
    </message>
</context>
</TS>
