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
        <translation>&amp;Neues Fenster</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>Video ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>Ü&amp;ber Framepicker</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>Über Framepicker</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>Täglich nach &amp;Updates suchen</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker öffnet höchstens acht Videos auf einmal, jedes in einem eigenen Fenster. Nicht geöffnete Videos: %@.</translation>
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
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker wird kostenlos und „wie besehen“ bereitgestellt, ohne ausdrückliche oder stillschweigende Gewährleistung jeglicher Art, einschließlich, aber nicht beschränkt auf die Gewährleistung der Marktgängigkeit, der Eignung für einen bestimmten Zweck und der Nichtverletzung von Rechten.

Die Autoren und Rechteinhaber haften in keinem Fall für Ansprüche, Schäden oder sonstige Verpflichtungen, ob aus Vertrag, unerlaubter Handlung oder anderweitig, die aus der Software, ihrer Nutzung oder dem sonstigen Umgang mit ihr entstehen.

Die Nutzung der Software erfolgt auf eigenes Risiko. Für die Richtigkeit, Zuverlässigkeit, Vollständigkeit oder Aktualität der Software und der von ihr erzeugten Bilder und sonstigen Ergebnisse wird keine Gewähr übernommen; prüfen Sie die Ergebnisse, bevor Sie sich auf sie verlassen.

Sie allein sind dafür verantwortlich, dass Ihre Nutzung der Software, einschließlich der damit verarbeiteten Videos und sonstigen Inhalte, mit den für Sie geltenden Gesetzen übereinstimmt und keine geistigen Eigentumsrechte oder sonstigen Rechte Dritter verletzt.

Die Autoren sind nicht verpflichtet, Unterstützung, Wartung, Korrekturen, Aktualisierungen oder neue Versionen der Software bereitzustellen, und können sie jederzeit ohne Ankündigung ändern oder einstellen.

Mit der Nutzung der Software erklären Sie sich bereit, die Autoren und Rechteinhaber von allen Ansprüchen, Verlusten, Schäden und Kosten, einschließlich angemessener Anwaltskosten, freizustellen, die aus Ihrer Nutzung der Software oder einem Verstoß gegen diese Bedingungen entstehen.</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>Dateien ohne Endung werden nicht unterstützt. Bitte eine Videodatei wählen.</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>Videos (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>Video öffnen</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>„%@“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>„%@“ ist ein Ordner, keine Videodatei.</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>„%@“ konnte nicht als Video gelesen werden.</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>„%@“ enthält kein Video.</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>„%@“ verwendet ein Videoformat, das nicht dekodiert werden kann.</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>„%@“ konnte nicht dekodiert werden.</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>Aus „%@“ konnte kein Bild dekodiert werden.</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>„%@“ konnte nicht bis zum Ende gelesen werden.</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>„%@“ hat ein Bild, das zu groß zum Speichern ist.</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>„%@“ hat ein Bildformat, das nicht umgewandelt werden kann.</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>Die Farben von „%@“ können nicht für den Bildschirm umgewandelt werden.</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>„%@“ braucht mehr Arbeitsspeicher, als verfügbar ist.</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>„%@“ wurde entfernt, während es gelesen wurde.</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>„%@“ wurde verändert, während es gelesen wurde.</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>„%@“ konnte nicht mehr gelesen werden.</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>PNG konnte nicht kodiert werden: %@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>Wird verarbeitet: %@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>Fertig: %@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>Fehler: %@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>Der Ordner „%@“ konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>„%@“ konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>„%@“ ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>Der Decoder wurde beim Lesen von „%@“ unerwartet beendet.</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>Der Decoder für „%@“ konnte nicht abgeschottet werden und wurde deshalb nicht gestartet.</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>Der Decoder reagiert beim Lesen von „%@“ nicht mehr.</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>„%@“ gibt Pixel mit einem zu extremen Seitenverhältnis an.</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>Das Bild von „%@“ lässt sich nicht auf seine Anzeigegröße skalieren.</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>„%@“ ist eine Verknüpfung eines anderen Benutzers; darüber wird nichts geschrieben.</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>Der Ordner „%@“ gehört einem anderen Benutzer; darin wird nichts geschrieben.</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>Der Ordner „%@“ wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>Anderen Ordner wählen …</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>Anderen Ordner wählen</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ und weitere Videos</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation> (%@)</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>ungültige Daten</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>Dateiende</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>kein Decoder gefunden</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>Ein-/Ausgabefehler</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>Vorgang nicht zulässig</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>schreibgeschütztes Dateisystem</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>kein Speicherplatz mehr auf dem Gerät</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>eine Datei dieses Namens existiert</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>Speicherzugriffsfehler</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>zwangsweise beendet</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>abnormal beendet</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>unzulässiger Systemaufruf</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>unbekannte Option „%@“</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>Option „%@“ braucht einen Wert</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>„%@“ ist keine Anzahl von Aufträgen zwischen 1 und 1024</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>der Name des Ausgabeordners ist leer</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>kein Video angegeben</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>„%@ --help“ gibt weitere Informationen.</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>Aufruf: framepicker-cli [OPTION]... VIDEO...
Schreibt das genaue erste und letzte Bild jedes VIDEOs als first.png und
last.png in einen Ordner daneben, der nach ihm benannt ist, und gibt den Pfad
dieses Ordners aus.

  -j, --jobs=N        bis zu N Videos gleichzeitig verarbeiten (Vorgabe: die
                      Anzahl der Kerne; 1 verarbeitet eines nach dem anderen)
  -o, --output=DIR    den Ordner jedes Videos unter DIR anlegen, am Pfad des
                      Videos wie angegeben (clips/a/trip.mov ergibt
                      DIR/clips/a/trip; ein absoluter Pfad oder einer mit ..
                      seinen Pfad ab der Wurzel)
      --json          je Video ein JSON-Objekt statt des Ordners ausgeben
      --unordered     jedes Ergebnis ausgeben, sobald es vorliegt, nicht in
                      der Reihenfolge der Eingabe
  -q, --quiet         keinen Fortschritt im Terminal zeigen
  -h, --help          diese Hilfe zeigen und beenden
  -V, --version       die Version zeigen und beenden

Ergebnisse und Fehler stehen je in einer Zeile, in der Reihenfolge der Videos.
Rückgabewert: 0, wenn alle Videos gelungen sind, 1, wenn eines gescheitert
ist, 2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>Aufruf: framepicker [OPTION]... [VIDEO]...
Öffnet das Fenster von Framepicker; mit VIDEO wird dessen genaues erstes und
letztes Bild als first.png und last.png in einen Ordner daneben geschrieben,
wie wenn es auf das Fenster gezogen wird. Jedes VIDEO erhält ein eigenes
Fenster, bis zu acht.

      --about         auch das Fenster „Über Framepicker“ öffnen
  -h, --help          diese Hilfe zeigen und beenden
  -V, --version       die Version zeigen und beenden

Qt-eigene Optionen wie -platform NAME und -style NAME werden ebenfalls
angenommen.
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@ Mit -o DIR lässt sich in einen anderen Ordner schreiben.</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>Abschottung des Decoders: %@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>verweigert (%@), daher wird kein Video dekodiert</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>unbekannt (%@)</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>kein Landlock</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>kein seccomp</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>Speichergrenze %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>keine Speichergrenze</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>, </translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@ %</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>noch etwa %@</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>Erstes</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>Letztes</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>Erstes Bild von %@</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>Letztes Bild von %@</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>Kein Programm konnte „%@“ öffnen.</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>%@ weitere</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>Keine Videos, daher nicht geöffnet: %@.</translation>
    </message>
</context>
</TS>
