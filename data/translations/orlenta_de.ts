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
</context>
</TS>
