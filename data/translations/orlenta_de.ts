<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>UserText</name>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Burning Error</source>
        <translation>Fehler beim Brennen</translation>
    </message>
    <message>
        <source>No input files added.
Please click &apos;Add File&apos; to add files!</source>
        <translation>Keine Eingabedateien hinzugefügt.
Bitte klicken Sie auf „Datei hinzufügen“, um Dateien hinzuzufügen!</translation>
    </message>
    <message>
        <source>Orlenta</source>
        <translation>Orlenta</translation>
    </message>
    <message>
        <source>Conversion canceled by user!</source>
        <translation>Umwandlung vom Benutzer abgebrochen!</translation>
    </message>
    <message>
        <source>Conversion canceled!</source>
        <translation>Umwandlung abgebrochen!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Orlenta is waiting for your answer.</source>
        <translation>Orlenta wartet auf Ihre Antwort.</translation>
    </message>
    <message>
        <source>A disc or video is being converted and written</source>
        <translation>Eine Disc oder ein Video wird umgewandelt und geschrieben</translation>
    </message>
    <message>
        <source>Authoring in progress...</source>
        <translation>Authoring läuft...</translation>
    </message>
    <message>
        <source>Can&apos;t build menu!</source>
        <translation>Das Menü kann nicht erstellt werden!</translation>
    </message>
    <message>
        <source>Error: Could not create DVD menu</source>
        <translation>Fehler: Das DVD-Menü konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>The DVD drive chosen in the settings is not connected: writing an image file...</source>
        <translation>Das in den Einstellungen gewählte DVD-Laufwerk ist nicht angeschlossen: eine Abbilddatei wird geschrieben...</translation>
    </message>
    <message>
        <source>Burning in progress...</source>
        <translation>Brennvorgang läuft...</translation>
    </message>
    <message>
        <source>Please insert a blank DVD and press OK!</source>
        <translation>Bitte legen Sie eine leere DVD ein und klicken Sie auf OK!</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fehler!</translation>
    </message>
    <message>
        <source>Action canceled!</source>
        <translation>Vorgang abgebrochen!</translation>
    </message>
    <message>
        <source>DVD creation process canceled by user.</source>
        <translation>Erstellung der DVD vom Benutzer abgebrochen.</translation>
    </message>
    <message>
        <source>Creation of the DVD aborted by the user!</source>
        <translation>Die Erstellung der DVD wurde vom Benutzer abgebrochen!</translation>
    </message>
    <message>
        <source>Finalizing the DVD, Please Wait...</source>
        <translation>Die DVD wird abgeschlossen, bitte warten...</translation>
    </message>
    <message>
        <source>Burning process canceled by user</source>
        <translation>Brennvorgang vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>DVD created successfully!</source>
        <translation>DVD erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>Could not identify the codec used to encode the AVI file</source>
        <translation>Der Codec, mit dem die AVI-Datei kodiert wurde, konnte nicht erkannt werden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Conversion Canceled.</source>
        <translation>Umwandlung abgebrochen.</translation>
    </message>
    <message>
        <source>Conversion in progress - Are you sure you want to quit now?</source>
        <translation>Umwandlung läuft – möchten Sie das Programm wirklich jetzt beenden?</translation>
    </message>
    <message>
        <source>CD created successfully!</source>
        <translation>CD erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>CDs created successfully!</source>
        <translation>CDs erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>CD has been burnt with errors!</source>
        <translation>Die CD wurde mit Fehlern gebrannt!</translation>
    </message>
    <message>
        <source>CDs have been burnt with errors!</source>
        <translation>Die CDs wurden mit Fehlern gebrannt!</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Erase Rewritable CD</source>
        <translation>Wiederbeschreibbare CD löschen</translation>
    </message>
    <message>
        <source>Erase the rewritable disc in:</source>
        <translation>Die wiederbeschreibbare Disc löschen in:</translation>
    </message>
    <message>
        <source>Full erase (slower: overwrites the whole disc)</source>
        <translation>Vollständig löschen (langsamer: überschreibt die ganze Disc)</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Erase Rewritable DVD</source>
        <translation>Wiederbeschreibbare DVD löschen</translation>
    </message>
    <message>
        <source>About Orlenta</source>
        <translation>Über Orlenta</translation>
    </message>
    <message>
        <source>Codec Required</source>
        <translation>Codec erforderlich</translation>
    </message>
    <message>
        <source>Download Codec</source>
        <translation>Codec herunterladen</translation>
    </message>
    <message>
        <source>Search Google</source>
        <translation>Bei Google suchen</translation>
    </message>
    <message>
        <source>If you need help finding and installing the codec, please contact us at our</source>
        <translation>Wenn Sie Hilfe beim Finden und Installieren des Codecs brauchen, wenden Sie sich bitte an unser</translation>
    </message>
    <message>
        <source>Support Center</source>
        <translation>Support-Center</translation>
    </message>
    <message>
        <source>Quick Time not installed</source>
        <translation>QuickTime ist nicht installiert</translation>
    </message>
    <message>
        <source>Download the player</source>
        <translation>Den Player herunterladen</translation>
    </message>
    <message>
        <source>About MPEG-4</source>
        <translation>Über MPEG-4</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>SCHLIESSEN</translation>
    </message>
    <message>
        <source>Then set &quot;Output Format&quot; to AVI on the main screen of the program. </source>
        <translation>Stellen Sie dann im Hauptfenster des Programms „Ausgabeformat“ auf AVI. </translation>
    </message>
    <message>
        <source>Successful conversion.</source>
        <translation>Umwandlung erfolgreich.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Play File</source>
        <translation>Datei abspielen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>To convert .mov files you need to install the free Quick Time player on your computer.</source>
        <translation>Um .mov-Dateien umzuwandeln, müssen Sie den kostenlosen QuickTime-Player auf Ihrem Computer installieren.</translation>
    </message>
    <message>
        <source>Please note that MPEG-4 files are saved as AVI file format, i.e. MPEG-4 is a kind of AVI.

So in order to convert to MPEG-4 please click the &quot;Settings&quot; button and go to the &quot;AVI&quot; tab. Then select an MPEG-4 codec from the download list.</source>
        <translation>Bitte beachten Sie, dass MPEG-4-Dateien im AVI-Format gespeichert werden, d. h. MPEG-4 ist eine Art AVI.

Um nach MPEG-4 umzuwandeln, klicken Sie daher auf „Einstellungen“ und wechseln Sie zur Registerkarte „AVI“. Wählen Sie dann einen MPEG-4-Codec aus der Liste.</translation>
    </message>
    <message>
        <source>If there is no MPEG-4 codec installed on your system please use the following link to download and install the XviD codec. It is one of the most popular free MPEG-4 codecs.</source>
        <translation>Wenn auf Ihrem System kein MPEG-4-Codec installiert ist, laden Sie bitte über den folgenden Link den XviD-Codec herunter und installieren Sie ihn. Er ist einer der beliebtesten kostenlosen MPEG-4-Codecs.</translation>
    </message>
</context>
</TS>
