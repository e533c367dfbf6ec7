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
    <message>
        <source>%1were created successfully!</source>
        <translation>%1wurden erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>Burning error: %1</source>
        <translation>Fehler beim Brennen: %1</translation>
    </message>
    <message>
        <source>A part of the movie does not fit on one CD.</source>
        <translation>Ein Teil des Films passt nicht auf eine CD.</translation>
    </message>
    <message>
        <source>Dividing the movie over %1 CDs...</source>
        <translation>Der Film wird auf %1 CDs aufgeteilt...</translation>
    </message>
    <message>
        <source>Please insert an empty CD to burn.</source>
        <translation>Bitte legen Sie eine leere CD zum Brennen ein.</translation>
    </message>
    <message>
        <source>Please insert empty CD #%1 to burn.</source>
        <translation>Bitte legen Sie die leere CD Nr. %1 zum Brennen ein.</translation>
    </message>
    <message>
        <source>Please insert a blank CD and press OK!</source>
        <translation>Bitte legen Sie eine leere CD ein und klicken Sie auf OK!</translation>
    </message>
    <message>
        <source>Please insert blank CD #%1 and press OK!</source>
        <translation>Bitte legen Sie die leere CD Nr. %1 ein und klicken Sie auf OK!</translation>
    </message>
    <message>
        <source>The CD inserted is not blank. Please insert a blank CD or erase a rewritable one and select &apos;OK&apos; to continue burning. Or choose &apos;Cancel&apos; to stop the CD burning process.</source>
        <translation>Die eingelegte CD ist nicht leer. Bitte legen Sie eine leere CD ein oder löschen Sie eine wiederbeschreibbare und wählen Sie „OK“, um weiterzubrennen. Oder wählen Sie „Abbrechen“, um das Brennen der CD zu beenden.</translation>
    </message>
    <message>
        <source>The CD inserted is not blank. Please insert a blank CD #%1 or erase a rewritable one and select &apos;OK&apos; to continue burning. Or choose &apos;Cancel&apos; to stop the CD burning process.</source>
        <translation>Die eingelegte CD ist nicht leer. Bitte legen Sie die leere CD Nr. %1 ein oder löschen Sie eine wiederbeschreibbare und wählen Sie „OK“, um weiterzubrennen. Oder wählen Sie „Abbrechen“, um das Brennen der CD zu beenden.</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>The file does not exist.

%1

Please click Browse to select a file</source>
        <translation>Die Datei existiert nicht.

%1

Bitte klicken Sie auf „Durchsuchen“, um eine Datei zu wählen</translation>
    </message>
    <message>
        <source>%1

The file you have selected is not a video file or this format is not supported</source>
        <translation>%1

Die gewählte Datei ist keine Videodatei, oder ihr Format wird nicht unterstützt</translation>
    </message>
    <message>
        <source>A DVD menu holds at most %1 titles, and the list holds %2 files.
Please remove some files (or make a second DVD of them) and press Convert again.</source>
        <translation>Ein DVD-Menü fasst höchstens %1 Titel, die Liste enthält %2 Dateien.
Bitte entfernen Sie einige Dateien (oder machen Sie eine zweite DVD daraus) und klicken Sie erneut auf „Umwandeln“.</translation>
    </message>
    <message>
        <source>The length of the listed videos cannot be read, so the DVD cannot be planned.
Please check the files in the list and press Convert again.</source>
        <translation>Die Länge der aufgeführten Videos lässt sich nicht lesen, daher kann die DVD nicht geplant werden.
Bitte prüfen Sie die Dateien der Liste und klicken Sie erneut auf „Umwandeln“.</translation>
    </message>
    <message>
        <source>The listed videos are too long for one DVD.
Please remove some files (or make a second DVD of them) and press Convert again.</source>
        <translation>Die aufgeführten Videos sind für eine DVD zu lang.
Bitte entfernen Sie einige Dateien (oder machen Sie eine zweite DVD daraus) und klicken Sie erneut auf „Umwandeln“.</translation>
    </message>
    <message>
        <source>%1 can burn only one (the selected) file per %2. Please select a file and press &apos;Start&apos; again.</source>
        <translation>%1 kann nur eine (die gewählte) Datei pro %2 brennen. Bitte wählen Sie eine Datei und klicken Sie erneut auf „Start“.</translation>
    </message>
    <message>
        <source>%1 can burn only one (the selected) file per %2. Please click &apos;OK&apos; to continue or &apos;Cancel&apos; to abort burning.</source>
        <translation>%1 kann nur eine (die gewählte) Datei pro %2 brennen. Klicken Sie auf „OK“, um fortzufahren, oder auf „Abbrechen“, um das Brennen abzubrechen.</translation>
    </message>
    <message>
        <source>Please free %1 GB on your hard drive or reduce the output quality (not recommended) and then restart the conversion!</source>
        <translation>Bitte geben Sie %1 GB auf Ihrer Festplatte frei oder verringern Sie die Ausgabequalität (nicht empfohlen) und starten Sie die Umwandlung dann neu!</translation>
    </message>
    <message>
        <source>Converting to AVI...</source>
        <translation>Umwandlung in AVI...</translation>
    </message>
    <message>
        <source>Converting to MPEG...</source>
        <translation>Umwandlung in MPEG...</translation>
    </message>
    <message>
        <source>Converting to WMV...</source>
        <translation>Umwandlung in WMV...</translation>
    </message>
    <message>
        <source>Converting to Real Media...</source>
        <translation>Umwandlung in Real Media...</translation>
    </message>
    <message>
        <source>Converting to DVD-Compatible MPEG...</source>
        <translation>Umwandlung in DVD-kompatibles MPEG...</translation>
    </message>
    <message>
        <source>Converting to VCD Compatible MPEG...</source>
        <translation>Umwandlung in VCD-kompatibles MPEG...</translation>
    </message>
    <message>
        <source>Converting to SVCD-Compatible MPEG...</source>
        <translation>Umwandlung in SVCD-kompatibles MPEG...</translation>
    </message>
    <message>
        <source>The work folder cannot be created.

%1</source>
        <translation>Der Arbeitsordner kann nicht angelegt werden.

%1</translation>
    </message>
    <message>
        <source>The DVD would hold %1 GB, more than the %2 GB a DVD holds. Please remove files from the list or choose a lower quality, and convert again.</source>
        <translation>Die DVD würde %1 GB enthalten, mehr als die %2 GB, die eine DVD fasst. Bitte entfernen Sie Dateien aus der Liste oder wählen Sie eine geringere Qualität und wandeln Sie erneut um.</translation>
    </message>
    <message>
        <source>Burning canceled by user</source>
        <translation>Brennen vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>Authoring Error</source>
        <translation>Fehler beim Erstellen der DVD-Struktur</translation>
    </message>
    <message>
        <source>DVD created successfully!

The DVD image is &quot;%1&quot;.
Open its folder?</source>
        <translation>DVD erfolgreich erstellt!

Das DVD-Abbild ist „%1“.
Seinen Ordner öffnen?</translation>
    </message>
    <message>
        <source>DVD has been Burned With Errors!
%1</source>
        <translation>Die DVD wurde mit Fehlern gebrannt!
%1</translation>
    </message>
    <message>
        <source>Sound tracks: %1, subtitle tracks: %2</source>
        <translation>Tonspuren: %1, Untertitelspuren: %2</translation>
    </message>
    <message>
        <source>%1 is not a video file or format is not supported!</source>
        <translation>%1 ist keine Videodatei, oder das Format wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>The AVI file could not be opened:
%1</source>
        <translation>Die AVI-Datei konnte nicht geöffnet werden:
%1</translation>
    </message>
    <message>
        <source>Input file has no video or audio tracks

%1</source>
        <translation>Die Eingabedatei hat weder Video- noch Tonspuren

%1</translation>
    </message>
    <message>
        <source>The AVI file you are trying to convert needs %1 codec.

Do you want to download and install the codec?</source>
        <translation>Die AVI-Datei, die Sie umwandeln möchten, benötigt den Codec %1.

Möchten Sie den Codec herunterladen und installieren?</translation>
    </message>
    <message>
        <source>%1

is not a file on this computer and was not added. Copy it into a local folder first, then add it from there.</source>
        <translation>%1

ist keine Datei auf diesem Computer und wurde nicht hinzugefügt. Kopieren Sie sie zuerst in einen lokalen Ordner und fügen Sie sie von dort hinzu.</translation>
    </message>
    <message>
        <source>Could not open file

%1</source>
        <translation>Die Datei konnte nicht geöffnet werden

%1</translation>
    </message>
    <message>
        <source>Converting to Real Media</source>
        <translation>Umwandlung in Real Media</translation>
    </message>
    <message>
        <source>Converting to DVD Compatible MPEG...</source>
        <translation>Umwandlung in DVD-kompatibles MPEG...</translation>
    </message>
    <message>
        <source>Output File Type Unknown</source>
        <translation>Unbekannter Ausgabedateityp</translation>
    </message>
    <message>
        <source>Converting to SVCD Compatible MPEG...</source>
        <translation>Umwandlung in SVCD-kompatibles MPEG...</translation>
    </message>
    <message>
        <source>The files listed are not kept - Are you sure you want to quit now?</source>
        <translation>Die aufgeführten Dateien werden nicht behalten – möchten Sie das Programm wirklich jetzt beenden?</translation>
    </message>
    <message>
        <source>Choose an output folder.</source>
        <translation>Wählen Sie einen Ausgabeordner.</translation>
    </message>
    <message>
        <source>Converting to</source>
        <translation>Umwandlung in</translation>
    </message>
    <message>
        <source>Video files to DVD, VCD and SVCD discs</source>
        <translation>Videodateien auf DVD, VCD und SVCD</translation>
    </message>
    <message>
        <source>Could not load a skin %1</source>
        <translation>Die Oberfläche konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Disc gauge</source>
        <translation>Disc-Anzeige</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove File</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Select Input File </source>
        <translation>Eingabedateien wählen </translation>
    </message>
    <message>
        <source>Select Output Format </source>
        <translation>Ausgabeformat wählen </translation>
    </message>
    <message>
        <source>Output Quality</source>
        <translation>Ausgabequalität</translation>
    </message>
    <message>
        <source>Output Folder </source>
        <translation>Ausgabeordner </translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Input Files:</source>
        <translation>Eingabedateien:</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Right-click the window for About Orlenta.</source>
        <translation>Rechtsklick ins Fenster: Über Orlenta.</translation>
    </message>
    <message>
        <source>Codec Name:</source>
        <translation>Codec:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Bit rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Low quality / Small file</source>
        <translation>Niedrige Qualität / kleine Datei</translation>
    </message>
    <message>
        <source>High quality / Large file</source>
        <translation>Hohe Qualität / große Datei</translation>
    </message>
    <message>
        <source>Set Output Format as the Source File (recommended for best quality/size ratio)</source>
        <translation>Ausgabeformat wie die Quelldatei (empfohlen für das beste Verhältnis von Qualität zu Größe)</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Copy DVD</source>
        <translation>DVD kopieren</translation>
    </message>
    <message>
        <source>Rip DVD</source>
        <translation>DVD auslesen</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>Video umwandeln</translation>
    </message>
    <message>
        <source>Input files</source>
        <translation>Eingabedateien</translation>
    </message>
    <message>
        <source>Output quality</source>
        <translation>Ausgabequalität</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Wiedergabeposition</translation>
    </message>
    <message>
        <source>Codec name</source>
        <translation>Codec</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Bildrate</translation>
    </message>
    <message>
        <source>Bit rate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Quality %1 of %2</source>
        <translation>Qualität %1 von %2</translation>
    </message>
    <message>
        <source>Smaller files</source>
        <translation>Kleinere Dateien</translation>
    </message>
    <message>
        <source>Better picture</source>
        <translation>Besseres Bild</translation>
    </message>
    <message>
        <source>Title on the DVD menu: %1</source>
        <translation>Titel im DVD-Menü: %1</translation>
    </message>
    <message>
        <source>Completed: %1%</source>
        <translation>Erledigt: %1 %</translation>
    </message>
    <message>
        <source>Completed %1%</source>
        <translation>Erledigt %1 %</translation>
    </message>
    <message>
        <source>This movie would need %1 CDs, but at most %2 can be burnt for one movie.
Please lower the output quality or choose a shorter file and try again.</source>
        <translation>Dieser Film bräuchte %1 CDs, für einen Film können aber höchstens %2 gebrannt werden.
Bitte verringern Sie die Ausgabequalität oder wählen Sie eine kürzere Datei und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>

The image of CD %1 is complete and kept:</source>
        <translation>

Das Abbild der CD %1 ist vollständig und bleibt erhalten:</translation>
    </message>
    <message>
        <source>

The images of CDs %1 are complete and kept:</source>
        <translation>

Die Abbilder der CDs %1 sind vollständig und bleiben erhalten:</translation>
    </message>
    <message>
        <source>
&quot;%1&quot; in %2</source>
        <translation>
„%1“ in %2</translation>
    </message>
    <message>
        <source>

The disc image:</source>
        <translation>

Das Disc-Abbild:</translation>
    </message>
    <message>
        <source>

The disc images:</source>
        <translation>

Die Disc-Abbilder:</translation>
    </message>
    <message>
        <source>Writing the disc image...</source>
        <translation>Das Disc-Abbild wird geschrieben...</translation>
    </message>
    <message>
        <source>Analyzing file...</source>
        <translation>Datei wird analysiert...</translation>
    </message>
    <message>
        <source>Analyzing file #%1...</source>
        <translation>Datei Nr. %1 wird analysiert...</translation>
    </message>
    <message>
        <source>Burning CD...</source>
        <translation>CD wird gebrannt...</translation>
    </message>
    <message>
        <source>Burning CD #%1...</source>
        <translation>CD Nr. %1 wird gebrannt...</translation>
    </message>
    <message>
        <source>Finalizing CD...</source>
        <translation>CD wird abgeschlossen...</translation>
    </message>
    <message>
        <source>Finalizing CD #%1...</source>
        <translation>CD Nr. %1 wird abgeschlossen...</translation>
    </message>
    <message>
        <source>No video listed yet: add files to see how full the disc will be.</source>
        <translation>Noch kein Video in der Liste: Fügen Sie Dateien hinzu, um zu sehen, wie voll die Disc wird.</translation>
    </message>
    <message>
        <source>%1 CD of %2 (%3; the last CD %4 % full)</source>
        <translation>%1 CD zu %2 (%3; die letzte CD zu %4 % voll)</translation>
    </message>
    <message>
        <source>%1 CDs of %2 (%3; the last CD %4 % full)</source>
        <translation>%1 CDs zu %2 (%3; die letzte CD zu %4 % voll)</translation>
    </message>
    <message>
        <source>%1 of %2, %3 % full</source>
        <translation>%1 von %2, zu %3 % voll</translation>
    </message>
    <message>
        <source>Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 file</source>
        <translation>Video %1 kbit/s, Ton %2 kbit/s, %3 Video in %4 Datei</translation>
    </message>
    <message>
        <source>Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 files</source>
        <translation>Video %1 kbit/s, Ton %2 kbit/s, %3 Video in %4 Dateien</translation>
    </message>
    <message>
        <source>Job time: under a minute on this machine</source>
        <translation>Dauer: unter einer Minute auf diesem Rechner</translation>
    </message>
    <message>
        <source>Job time: under a minute (a first guess)</source>
        <translation>Dauer: unter einer Minute (erste Schätzung)</translation>
    </message>
    <message>
        <source>Job time: about %1 on this machine</source>
        <translation>Dauer: etwa %1 auf diesem Rechner</translation>
    </message>
    <message>
        <source>Job time: about %1 (a first guess)</source>
        <translation>Dauer: etwa %1 (erste Schätzung)</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>As the source</source>
        <translation>Wie die Quelle</translation>
    </message>
    <message>
        <source>TV Standard:</source>
        <translation>TV-Norm:</translation>
    </message>
    <message>
        <source>Video Codec:</source>
        <translation>Video-Codec:</translation>
    </message>
    <message>
        <source>Video Bit Rate:</source>
        <translation>Video-Bitrate:</translation>
    </message>
    <message>
        <source>Video Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Bildgröße:</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>Seitenverhältnis:</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Audio-Codec:</translation>
    </message>
    <message>
        <source>Audio Bit Rate:</source>
        <translation>Audio-Bitrate:</translation>
    </message>
    <message>
        <source>Audio Channels:</source>
        <translation>Audiokanäle:</translation>
    </message>
    <message>
        <source>Multichannel:</source>
        <translation>Mehrkanal:</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disc</translation>
    </message>
    <message>
        <source>Disc Size:</source>
        <translation>Disc-Größe:</translation>
    </message>
    <message>
        <source>Using FFmpeg</source>
        <translation>Mit FFmpeg</translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Video-Bitrate:</translation>
    </message>
    <message>
        <source>Configure Codec</source>
        <translation>Codec einrichten</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>Audioformat</translation>
    </message>
    <message>
        <source>Using L.A.M.E. encoding engine</source>
        <translation>Mit dem Encoder L.A.M.E.</translation>
    </message>
    <message>
        <source>MPEG Version:</source>
        <translation>MPEG-Version:</translation>
    </message>
    <message>
        <source>How Do I Convert to MPEG4?</source>
        <translation>Wie wandle ich in MPEG4 um?</translation>
    </message>
    <message>
        <source>Output Video Format: </source>
        <translation>Ausgabe-Videoformat: </translation>
    </message>
    <message>
        <source>DVD Properties</source>
        <translation>DVD-Eigenschaften</translation>
    </message>
    <message>
        <source>DVD Type:</source>
        <translation>DVD-Typ:</translation>
    </message>
    <message>
        <source>DVD device</source>
        <translation>DVD-Laufwerk</translation>
    </message>
    <message>
        <source>VCD Settings</source>
        <translation>VCD-Einstellungen</translation>
    </message>
    <message>
        <source>VCD Properties</source>
        <translation>VCD-Eigenschaften</translation>
    </message>
    <message>
        <source>VCD Type:</source>
        <translation>VCD-Typ:</translation>
    </message>
    <message>
        <source>CD device</source>
        <translation>CD-Laufwerk</translation>
    </message>
    <message>
        <source>SVCD Settings</source>
        <translation>SVCD-Einstellungen</translation>
    </message>
    <message>
        <source>Output file format settings</source>
        <translation>Einstellungen des Ausgabeformats</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorieren</translation>
    </message>
    <message>
        <source>Image file in the output folder</source>
        <translation>Abbilddatei im Ausgabeordner</translation>
    </message>
    <message>
        <source>Erase CD</source>
        <translation>CD löschen</translation>
    </message>
    <message>
        <source>Erase DVD</source>
        <translation>DVD löschen</translation>
    </message>
    <message>
        <source>%1

The video of this file cannot be decoded: %2.
The file is not converted.</source>
        <translation>%1

Das Video dieser Datei kann nicht dekodiert werden: %2.
Die Datei wird nicht umgewandelt.</translation>
    </message>
    <message>
        <source>To burn this movie using the VCD format, you need to use %1 blank CDs. %2</source>
        <translation>Um diesen Film im VCD-Format zu brennen, brauchen Sie %1 leere CDs. %2</translation>
    </message>
    <message>
        <source>To fit it on less CDs, first select &apos;Cancel&apos; and decrease the quality.</source>
        <translation>Damit er auf weniger CDs passt, wählen Sie zuerst „Abbrechen“ und verringern Sie die Qualität.</translation>
    </message>
    <message>
        <source>To burn this movie using the SVCD format, you need to use %1 blank CDs.%2</source>
        <translation>Um diesen Film im SVCD-Format zu brennen, brauchen Sie %1 leere CDs.%2</translation>
    </message>
    <message>
        <source> To fit it on less CDs, first select &apos;Cancel&apos; and decrease the quality</source>
        <translation> Damit er auf weniger CDs passt, wählen Sie zuerst „Abbrechen“ und verringern Sie die Qualität</translation>
    </message>
    <message>
        <source>Specified file is not a video file or format is not supported !</source>
        <translation>Die angegebene Datei ist keine Videodatei, oder das Format wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>&amp;About Orlenta...</source>
        <translation>&amp;Über Orlenta...</translation>
    </message>
    <message>
        <source>The subtitles of %1 cannot be put onto the disc:
%2</source>
        <translation>Die Untertitel von %1 können nicht auf die Disc gebracht werden:
%2</translation>
    </message>
    <message>
        <source>Error #12: Conversion problem</source>
        <translation>Fehler Nr. 12: Problem bei der Umwandlung</translation>
    </message>
    <message>
        <source>

The disk is full: there is no room left for %1</source>
        <translation>

Der Datenträger ist voll: Für %1 ist kein Platz mehr</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>A DVD menu holds at most %1 titles and the list holds %2 files: remove some files or make a second DVD of them.</source>
        <translation>Ein DVD-Menü fasst höchstens %1 Titel, die Liste enthält %2 Dateien: Entfernen Sie einige Dateien oder machen Sie eine zweite DVD daraus.</translation>
    </message>
    <message>
        <source>The list does not fit: its %1 of video need more than one %2 even at the lowest quality; remove some files or choose DVD-9 in the DVD settings.</source>
        <translation>Die Liste passt nicht: Ihre %1 Video brauchen selbst bei niedrigster Qualität mehr als eine %2; entfernen Sie einige Dateien oder wählen Sie DVD-9 in den DVD-Einstellungen.</translation>
    </message>
    <message>
        <source>The list does not fit: its %1 of video need more than one %2 even at the lowest quality; remove some files or make a second DVD of them.</source>
        <translation>Die Liste passt nicht: Ihre %1 Video brauchen selbst bei niedrigster Qualität mehr als eine %2; entfernen Sie einige Dateien oder machen Sie eine zweite DVD daraus.</translation>
    </message>
    <message>
        <source>The movie does not fit: it needs %1 CDs and one movie may take at most %2; choose a lower quality, larger CDs or a shorter file.</source>
        <translation>Der Film passt nicht: Er braucht %1 CDs, ein Film darf aber höchstens %2 belegen; wählen Sie eine geringere Qualität, größere CDs oder eine kürzere Datei.</translation>
    </message>
    <message>
        <source>Title on the DVD menu</source>
        <translation>Titel im DVD-Menü</translation>
    </message>
    <message>
        <source>The menu&apos;s text for %1:</source>
        <translation>Der Text im Menü für %1:</translation>
    </message>
    <message>
        <source>Quality (lower is better, rate factor):</source>
        <translation>Qualität (niedriger ist besser, Ratenfaktor):</translation>
    </message>
    <message>
        <source>Quality (lower is better, quantiser):</source>
        <translation>Qualität (niedriger ist besser, Quantisierer):</translation>
    </message>
    <message>
        <source>by quality</source>
        <translation>nach Qualität</translation>
    </message>
    <message>
        <source> kbit/s</source>
        <translation> kbit/s</translation>
    </message>
    <message>
        <source>every 5 seconds</source>
        <translation>alle 5 Sekunden</translation>
    </message>
    <message>
        <source> frames</source>
        <translation> Bilder</translation>
    </message>
    <message>
        <source>Key frame every:</source>
        <translation>Schlüsselbild alle:</translation>
    </message>
    <message>
        <source>1 dropped file will be added when the job ends.</source>
        <translation>1 abgelegte Datei wird hinzugefügt, wenn der Auftrag endet.</translation>
    </message>
    <message>
        <source>%1 dropped files will be added when the job ends.</source>
        <translation>%1 abgelegte Dateien werden hinzugefügt, wenn der Auftrag endet.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>button</comment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>All Video Files</source>
        <translation>Alle Videodateien</translation>
    </message>
    <message>
        <source>AVI Files (*.avi)</source>
        <translation>AVI-Dateien (*.avi)</translation>
    </message>
    <message>
        <source>Mpeg files (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)</source>
        <translation>MPEG-Dateien (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv, *.wma, *.asf)</source>
        <translation>Windows-Media-Dateien (*.wmv, *.wma, *.asf)</translation>
    </message>
    <message>
        <source>Quick Time Files (*.mov, *.qt)</source>
        <translation>QuickTime-Dateien (*.mov, *.qt)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Video-CD-Dateien (*.dat)</translation>
    </message>
    <message>
        <source>Matroska and WebM files (*.mkv, *.webm)</source>
        <translation>Matroska- und WebM-Dateien (*.mkv, *.webm)</translation>
    </message>
    <message>
        <source>MPEG transport streams (*.ts, *.mts, *.m2ts, *.m2t)</source>
        <translation>MPEG-Transportströme (*.ts, *.mts, *.m2ts, *.m2t)</translation>
    </message>
    <message>
        <source>DVD video files (*.vob)</source>
        <translation>DVD-Videodateien (*.vob)</translation>
    </message>
    <message>
        <source>Phone video files (*.3gp, *.3g2, *.m4v)</source>
        <translation>Handy-Videodateien (*.3gp, *.3g2, *.m4v)</translation>
    </message>
    <message>
        <source>Ogg video files (*.ogv)</source>
        <translation>Ogg-Videodateien (*.ogv)</translation>
    </message>
    <message>
        <source>Flash video files (*.flv)</source>
        <translation>Flash-Videodateien (*.flv)</translation>
    </message>
    <message>
        <source>DV files (*.dv)</source>
        <translation>DV-Dateien (*.dv)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm, *.rmvb)</source>
        <translation>Real-Media-Dateien (*.rm, *.rmvb)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>%1 made by the video library</source>
        <translation>%1 aus der Videobibliothek</translation>
    </message>
    <message>
        <source>holds no subtitles</source>
        <translation>fasst keine Untertitel</translation>
    </message>
    <message>
        <source>holds one sound track</source>
        <translation>fasst nur eine Tonspur</translation>
    </message>
    <message>
        <source>holds %1 sound tracks</source>
        <translation>fasst %1 Tonspuren</translation>
    </message>
    <message>
        <source>holds %1 subtitle tracks</source>
        <translation>fasst %1 Untertitelspuren</translation>
    </message>
    <message>
        <source>cannot carry %1 subtitles</source>
        <translation>kann keine %1-Untertitel tragen</translation>
    </message>
    <message>
        <source>sound track %1</source>
        <translation>Tonspur %1</translation>
    </message>
    <message>
        <source>%1 subtitle track</source>
        <translation>%1 Untertitelspur</translation>
    </message>
    <message>
        <source>%1 subtitle tracks</source>
        <translation>%1 Untertitelspuren</translation>
    </message>
    <message>
        <source>%1 %2: %3 of &apos;%4&apos; will be left out.</source>
        <translation>%1 %2 – aus „%4“ wird weggelassen: %3.</translation>
    </message>
    <message>
        <source> Go on?</source>
        <translation> Fortfahren?</translation>
    </message>
    <message>
        <source>A DVD</source>
        <translation>Eine DVD</translation>
    </message>
    <message>
        <source>File %1 of %2</source>
        <translation>Datei %1 von %2</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation>Jede Minute</translation>
    </message>
    <message>
        <source>Every %1 minutes</source>
        <translation>Alle %1 Minuten</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Kapitel:</translation>
    </message>
</context>
</TS>
