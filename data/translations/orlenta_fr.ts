<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>UserText</name>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Burning Error</source>
        <translation>Erreur de gravure</translation>
    </message>
    <message>
        <source>No input files added.
Please click &apos;Add File&apos; to add files!</source>
        <translation>Aucun fichier d’entrée ajouté.
Cliquez sur « Ajouter un fichier » pour ajouter des fichiers !</translation>
    </message>
    <message>
        <source>Orlenta</source>
        <translation>Orlenta</translation>
    </message>
    <message>
        <source>Conversion canceled by user!</source>
        <translation>Conversion annulée par l’utilisateur !</translation>
    </message>
    <message>
        <source>Conversion canceled!</source>
        <translation>Conversion annulée !</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Orlenta is waiting for your answer.</source>
        <translation>Orlenta attend votre réponse.</translation>
    </message>
    <message>
        <source>A disc or video is being converted and written</source>
        <translation>Un disque ou une vidéo est en cours de conversion et d’écriture</translation>
    </message>
    <message>
        <source>Authoring in progress...</source>
        <translation>Création du DVD en cours...</translation>
    </message>
    <message>
        <source>Can&apos;t build menu!</source>
        <translation>Impossible de créer le menu !</translation>
    </message>
    <message>
        <source>Error: Could not create DVD menu</source>
        <translation>Erreur : impossible de créer le menu du DVD</translation>
    </message>
    <message>
        <source>The DVD drive chosen in the settings is not connected: writing an image file...</source>
        <translation>Le graveur de DVD choisi dans les réglages n’est pas connecté : écriture d’un fichier image...</translation>
    </message>
    <message>
        <source>Burning in progress...</source>
        <translation>Gravure en cours...</translation>
    </message>
    <message>
        <source>Please insert a blank DVD and press OK!</source>
        <translation>Insérez un DVD vierge et cliquez sur OK !</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur !</translation>
    </message>
    <message>
        <source>Action canceled!</source>
        <translation>Action annulée !</translation>
    </message>
    <message>
        <source>DVD creation process canceled by user.</source>
        <translation>Création du DVD annulée par l’utilisateur.</translation>
    </message>
    <message>
        <source>Creation of the DVD aborted by the user!</source>
        <translation>La création du DVD a été interrompue par l’utilisateur !</translation>
    </message>
    <message>
        <source>Finalizing the DVD, Please Wait...</source>
        <translation>Finalisation du DVD, veuillez patienter...</translation>
    </message>
    <message>
        <source>Burning process canceled by user</source>
        <translation>Gravure annulée par l’utilisateur</translation>
    </message>
    <message>
        <source>DVD created successfully!</source>
        <translation>DVD créé avec succès !</translation>
    </message>
    <message>
        <source>Could not identify the codec used to encode the AVI file</source>
        <translation>Impossible d’identifier le codec utilisé pour encoder le fichier AVI</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Conversion Canceled.</source>
        <translation>Conversion annulée.</translation>
    </message>
    <message>
        <source>Conversion in progress - Are you sure you want to quit now?</source>
        <translation>Conversion en cours – voulez-vous vraiment quitter maintenant ?</translation>
    </message>
    <message>
        <source>CD created successfully!</source>
        <translation>CD créé avec succès !</translation>
    </message>
    <message>
        <source>CDs created successfully!</source>
        <translation>CD créés avec succès !</translation>
    </message>
    <message>
        <source>CD has been burnt with errors!</source>
        <translation>Le CD a été gravé avec des erreurs !</translation>
    </message>
    <message>
        <source>CDs have been burnt with errors!</source>
        <translation>Les CD ont été gravés avec des erreurs !</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Erase Rewritable CD</source>
        <translation>Effacer le CD réinscriptible</translation>
    </message>
    <message>
        <source>Erase the rewritable disc in:</source>
        <translation>Effacer le disque réinscriptible dans :</translation>
    </message>
    <message>
        <source>Full erase (slower: overwrites the whole disc)</source>
        <translation>Effacement complet (plus lent : réécrit tout le disque)</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Erase Rewritable DVD</source>
        <translation>Effacer le DVD réinscriptible</translation>
    </message>
    <message>
        <source>About Orlenta</source>
        <translation>À propos d’Orlenta</translation>
    </message>
    <message>
        <source>Codec Required</source>
        <translation>Codec requis</translation>
    </message>
    <message>
        <source>Download Codec</source>
        <translation>Télécharger le codec</translation>
    </message>
    <message>
        <source>Search Google</source>
        <translation>Rechercher sur Google</translation>
    </message>
    <message>
        <source>If you need help finding and installing the codec, please contact us at our</source>
        <translation>Si vous avez besoin d’aide pour trouver et installer le codec, contactez-nous sur notre</translation>
    </message>
    <message>
        <source>Support Center</source>
        <translation>centre d’assistance</translation>
    </message>
    <message>
        <source>Quick Time not installed</source>
        <translation>QuickTime n’est pas installé</translation>
    </message>
    <message>
        <source>Download the player</source>
        <translation>Télécharger le lecteur</translation>
    </message>
    <message>
        <source>About MPEG-4</source>
        <translation>À propos de MPEG-4</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>FERMER</translation>
    </message>
    <message>
        <source>Then set &quot;Output Format&quot; to AVI on the main screen of the program. </source>
        <translation>Réglez ensuite « Format de sortie » sur AVI dans la fenêtre principale du programme. </translation>
    </message>
    <message>
        <source>Successful conversion.</source>
        <translation>Conversion réussie.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Play File</source>
        <translation>Lire le fichier</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>To convert .mov files you need to install the free Quick Time player on your computer.</source>
        <translation>Pour convertir des fichiers .mov, vous devez installer le lecteur gratuit QuickTime sur votre ordinateur.</translation>
    </message>
    <message>
        <source>Please note that MPEG-4 files are saved as AVI file format, i.e. MPEG-4 is a kind of AVI.

So in order to convert to MPEG-4 please click the &quot;Settings&quot; button and go to the &quot;AVI&quot; tab. Then select an MPEG-4 codec from the download list.</source>
        <translation>Notez que les fichiers MPEG-4 sont enregistrés au format AVI : MPEG-4 est une sorte d’AVI.

Pour convertir en MPEG-4, cliquez donc sur le bouton « Réglages » et allez dans l’onglet « AVI ». Choisissez ensuite un codec MPEG-4 dans la liste.</translation>
    </message>
    <message>
        <source>If there is no MPEG-4 codec installed on your system please use the following link to download and install the XviD codec. It is one of the most popular free MPEG-4 codecs.</source>
        <translation>Si aucun codec MPEG-4 n’est installé sur votre système, utilisez le lien suivant pour télécharger et installer le codec XviD. C’est l’un des codecs MPEG-4 gratuits les plus répandus.</translation>
    </message>
    <message>
        <source>%1were created successfully!</source>
        <translation>%1ont été créés avec succès !</translation>
    </message>
    <message>
        <source>Burning error: %1</source>
        <translation>Erreur de gravure : %1</translation>
    </message>
    <message>
        <source>A part of the movie does not fit on one CD.</source>
        <translation>Une partie du film ne tient pas sur un CD.</translation>
    </message>
    <message>
        <source>Dividing the movie over %1 CDs...</source>
        <translation>Répartition du film sur %1 CD...</translation>
    </message>
    <message>
        <source>Please insert an empty CD to burn.</source>
        <translation>Insérez un CD vierge à graver.</translation>
    </message>
    <message>
        <source>Please insert empty CD #%1 to burn.</source>
        <translation>Insérez le CD vierge n° %1 à graver.</translation>
    </message>
    <message>
        <source>Please insert a blank CD and press OK!</source>
        <translation>Insérez un CD vierge et cliquez sur OK !</translation>
    </message>
    <message>
        <source>Please insert blank CD #%1 and press OK!</source>
        <translation>Insérez le CD vierge n° %1 et cliquez sur OK !</translation>
    </message>
    <message>
        <source>The CD inserted is not blank. Please insert a blank CD or erase a rewritable one and select &apos;OK&apos; to continue burning. Or choose &apos;Cancel&apos; to stop the CD burning process.</source>
        <translation>Le CD inséré n’est pas vierge. Insérez un CD vierge ou effacez un CD réinscriptible, puis choisissez « OK » pour poursuivre la gravure. Ou choisissez « Annuler » pour arrêter la gravure du CD.</translation>
    </message>
    <message>
        <source>The CD inserted is not blank. Please insert a blank CD #%1 or erase a rewritable one and select &apos;OK&apos; to continue burning. Or choose &apos;Cancel&apos; to stop the CD burning process.</source>
        <translation>Le CD inséré n’est pas vierge. Insérez le CD vierge n° %1 ou effacez un CD réinscriptible, puis choisissez « OK » pour poursuivre la gravure. Ou choisissez « Annuler » pour arrêter la gravure du CD.</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Terminé !</translation>
    </message>
    <message>
        <source>The file does not exist.

%1

Please click Browse to select a file</source>
        <translation>Le fichier n’existe pas.

%1

Cliquez sur « Parcourir » pour choisir un fichier</translation>
    </message>
    <message>
        <source>%1

The file you have selected is not a video file or this format is not supported</source>
        <translation>%1

Le fichier choisi n’est pas un fichier vidéo ou son format n’est pas pris en charge</translation>
    </message>
    <message>
        <source>A DVD menu holds at most %1 titles, and the list holds %2 files.
Please remove some files (or make a second DVD of them) and press Convert again.</source>
        <translation>Un menu de DVD contient au plus %1 titres, et la liste contient %2 fichiers.
Retirez quelques fichiers (ou faites-en un second DVD) et cliquez à nouveau sur « Convertir ».</translation>
    </message>
    <message>
        <source>The length of the listed videos cannot be read, so the DVD cannot be planned.
Please check the files in the list and press Convert again.</source>
        <translation>La durée des vidéos de la liste est illisible : le DVD ne peut pas être planifié.
Vérifiez les fichiers de la liste et cliquez à nouveau sur « Convertir ».</translation>
    </message>
    <message>
        <source>The listed videos are too long for one DVD.
Please remove some files (or make a second DVD of them) and press Convert again.</source>
        <translation>Les vidéos de la liste sont trop longues pour un DVD.
Retirez quelques fichiers (ou faites-en un second DVD) et cliquez à nouveau sur « Convertir ».</translation>
    </message>
    <message>
        <source>%1 can burn only one (the selected) file per %2. Please select a file and press &apos;Start&apos; again.</source>
        <translation>%1 ne peut graver qu’un seul fichier (celui choisi) par %2. Choisissez un fichier et cliquez à nouveau sur « Démarrer ».</translation>
    </message>
    <message>
        <source>%1 can burn only one (the selected) file per %2. Please click &apos;OK&apos; to continue or &apos;Cancel&apos; to abort burning.</source>
        <translation>%1 ne peut graver qu’un seul fichier (celui choisi) par %2. Cliquez sur « OK » pour continuer ou sur « Annuler » pour abandonner la gravure.</translation>
    </message>
    <message>
        <source>Please free %1 GB on your hard drive or reduce the output quality (not recommended) and then restart the conversion!</source>
        <translation>Libérez %1 Go sur votre disque dur ou réduisez la qualité de sortie (déconseillé), puis relancez la conversion !</translation>
    </message>
    <message>
        <source>Converting to AVI...</source>
        <translation>Conversion en AVI...</translation>
    </message>
    <message>
        <source>Converting to MPEG...</source>
        <translation>Conversion en MPEG...</translation>
    </message>
    <message>
        <source>Converting to WMV...</source>
        <translation>Conversion en WMV...</translation>
    </message>
    <message>
        <source>Converting to Real Media...</source>
        <translation>Conversion en Real Media...</translation>
    </message>
    <message>
        <source>Converting to DVD-Compatible MPEG...</source>
        <translation>Conversion en MPEG compatible DVD...</translation>
    </message>
    <message>
        <source>Converting to VCD Compatible MPEG...</source>
        <translation>Conversion en MPEG compatible VCD...</translation>
    </message>
    <message>
        <source>Converting to SVCD-Compatible MPEG...</source>
        <translation>Conversion en MPEG compatible SVCD...</translation>
    </message>
    <message>
        <source>The work folder cannot be created.

%1</source>
        <translation>Le dossier de travail ne peut pas être créé.

%1</translation>
    </message>
    <message>
        <source>The DVD would hold %1 GB, more than the %2 GB a DVD holds. Please remove files from the list or choose a lower quality, and convert again.</source>
        <translation>Le DVD contiendrait %1 Go, plus que les %2 Go que contient un DVD. Retirez des fichiers de la liste ou choisissez une qualité inférieure, puis convertissez à nouveau.</translation>
    </message>
    <message>
        <source>Burning canceled by user</source>
        <translation>Gravure annulée par l’utilisateur</translation>
    </message>
    <message>
        <source>Authoring Error</source>
        <translation>Erreur de création de la structure du DVD</translation>
    </message>
    <message>
        <source>DVD created successfully!

The DVD image is &quot;%1&quot;.
Open its folder?</source>
        <translation>DVD créé avec succès !

L’image du DVD est « %1 ».
Ouvrir son dossier ?</translation>
    </message>
    <message>
        <source>DVD has been Burned With Errors!
%1</source>
        <translation>Le DVD a été gravé avec des erreurs !
%1</translation>
    </message>
    <message>
        <source>Sound tracks: %1, subtitle tracks: %2</source>
        <translation>Pistes son : %1, pistes de sous-titres : %2</translation>
    </message>
    <message>
        <source>%1 is not a video file or format is not supported!</source>
        <translation>%1 n’est pas un fichier vidéo ou son format n’est pas pris en charge !</translation>
    </message>
    <message>
        <source>The AVI file could not be opened:
%1</source>
        <translation>Le fichier AVI n’a pas pu être ouvert :
%1</translation>
    </message>
    <message>
        <source>Input file has no video or audio tracks

%1</source>
        <translation>Le fichier d’entrée n’a ni piste vidéo ni piste audio

%1</translation>
    </message>
    <message>
        <source>The AVI file you are trying to convert needs %1 codec.

Do you want to download and install the codec?</source>
        <translation>Le fichier AVI que vous voulez convertir a besoin du codec %1.

Voulez-vous télécharger et installer le codec ?</translation>
    </message>
    <message>
        <source>%1

is not a file on this computer and was not added. Copy it into a local folder first, then add it from there.</source>
        <translation>%1

n’est pas un fichier de cet ordinateur et n’a pas été ajouté. Copiez-le d’abord dans un dossier local, puis ajoutez-le depuis celui-ci.</translation>
    </message>
    <message>
        <source>Could not open file

%1</source>
        <translation>Impossible d’ouvrir le fichier

%1</translation>
    </message>
    <message>
        <source>Converting to Real Media</source>
        <translation>Conversion en Real Media</translation>
    </message>
    <message>
        <source>Converting to DVD Compatible MPEG...</source>
        <translation>Conversion en MPEG compatible DVD...</translation>
    </message>
    <message>
        <source>Output File Type Unknown</source>
        <translation>Type de fichier de sortie inconnu</translation>
    </message>
    <message>
        <source>Converting to SVCD Compatible MPEG...</source>
        <translation>Conversion en MPEG compatible SVCD...</translation>
    </message>
    <message>
        <source>The files listed are not kept - Are you sure you want to quit now?</source>
        <translation>La liste des fichiers n’est pas conservée – voulez-vous vraiment quitter maintenant ?</translation>
    </message>
    <message>
        <source>Choose an output folder.</source>
        <translation>Choisissez un dossier de sortie.</translation>
    </message>
    <message>
        <source>Converting to</source>
        <translation>Conversion en</translation>
    </message>
    <message>
        <source>Video files to DVD, VCD and SVCD discs</source>
        <translation>Des fichiers vidéo aux disques DVD, VCD et SVCD</translation>
    </message>
    <message>
        <source>Could not load a skin %1</source>
        <translation>Impossible de charger l’habillage %1</translation>
    </message>
    <message>
        <source>Disc gauge</source>
        <translation>Jauge du disque</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Remove File</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Choisir le dossier</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Select Input File </source>
        <translation>Fichiers d’entrée </translation>
    </message>
    <message>
        <source>Select Output Format </source>
        <translation>Format de sortie </translation>
    </message>
    <message>
        <source>Output Quality</source>
        <translation>Qualité de sortie</translation>
    </message>
    <message>
        <source>Output Folder </source>
        <translation>Dossier de sortie </translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Input Files:</source>
        <translation>Fichiers d’entrée :</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Right-click the window for About Orlenta.</source>
        <translation>Clic droit dans la fenêtre : À propos d’Orlenta.</translation>
    </message>
    <message>
        <source>Codec Name:</source>
        <translation>Codec :</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée :</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>Images/s :</translation>
    </message>
    <message>
        <source>Bit rate:</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>Low quality / Small file</source>
        <translation>Qualité faible / petit fichier</translation>
    </message>
    <message>
        <source>High quality / Large file</source>
        <translation>Haute qualité / gros fichier</translation>
    </message>
    <message>
        <source>Set Output Format as the Source File (recommended for best quality/size ratio)</source>
        <translation>Format de sortie identique au fichier source (recommandé pour le meilleur rapport qualité/taille)</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Copy DVD</source>
        <translation>Copier un DVD</translation>
    </message>
    <message>
        <source>Rip DVD</source>
        <translation>Extraire un DVD</translation>
    </message>
    <message>
        <source>Convert Video</source>
        <translation>Convertir une vidéo</translation>
    </message>
    <message>
        <source>Input files</source>
        <translation>Fichiers d’entrée</translation>
    </message>
    <message>
        <source>Output quality</source>
        <translation>Qualité de sortie</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Position de lecture</translation>
    </message>
    <message>
        <source>Codec name</source>
        <translation>Nom du codec</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Images par seconde</translation>
    </message>
    <message>
        <source>Bit rate</source>
        <translation>Débit</translation>
    </message>
    <message>
        <source>Quality %1 of %2</source>
        <translation>Qualité %1 sur %2</translation>
    </message>
    <message>
        <source>Smaller files</source>
        <translation>Fichiers plus petits</translation>
    </message>
    <message>
        <source>Better picture</source>
        <translation>Meilleure image</translation>
    </message>
    <message>
        <source>Title on the DVD menu: %1</source>
        <translation>Titre dans le menu du DVD : %1</translation>
    </message>
    <message>
        <source>Completed: %1%</source>
        <translation>Terminé : %1 %</translation>
    </message>
    <message>
        <source>Completed %1%</source>
        <translation>Terminé %1 %</translation>
    </message>
    <message>
        <source>This movie would need %1 CDs, but at most %2 can be burnt for one movie.
Please lower the output quality or choose a shorter file and try again.</source>
        <translation>Ce film nécessiterait %1 CD, mais au plus %2 peuvent être gravés pour un film.
Réduisez la qualité de sortie ou choisissez un fichier plus court, puis réessayez.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>

The image of CD %1 is complete and kept:</source>
        <translation>

L’image du CD %1 est complète et conservée :</translation>
    </message>
    <message>
        <source>

The images of CDs %1 are complete and kept:</source>
        <translation>

Les images des CD %1 sont complètes et conservées :</translation>
    </message>
    <message>
        <source>
&quot;%1&quot; in %2</source>
        <translation>
« %1 » dans %2</translation>
    </message>
    <message>
        <source>

The disc image:</source>
        <translation>

L’image du disque :</translation>
    </message>
    <message>
        <source>

The disc images:</source>
        <translation>

Les images des disques :</translation>
    </message>
    <message>
        <source>Writing the disc image...</source>
        <translation>Écriture de l’image du disque...</translation>
    </message>
    <message>
        <source>Analyzing file...</source>
        <translation>Analyse du fichier...</translation>
    </message>
    <message>
        <source>Analyzing file #%1...</source>
        <translation>Analyse du fichier n° %1...</translation>
    </message>
    <message>
        <source>Burning CD...</source>
        <translation>Gravure du CD...</translation>
    </message>
    <message>
        <source>Burning CD #%1...</source>
        <translation>Gravure du CD n° %1...</translation>
    </message>
    <message>
        <source>Finalizing CD...</source>
        <translation>Finalisation du CD...</translation>
    </message>
    <message>
        <source>Finalizing CD #%1...</source>
        <translation>Finalisation du CD n° %1...</translation>
    </message>
    <message>
        <source>No video listed yet: add files to see how full the disc will be.</source>
        <translation>Aucune vidéo dans la liste : ajoutez des fichiers pour voir le remplissage du disque.</translation>
    </message>
    <message>
        <source>%1 CD of %2 (%3; the last CD %4 % full)</source>
        <translation>%1 CD de %2 (%3 ; le dernier CD plein à %4 %)</translation>
    </message>
    <message>
        <source>%1 CDs of %2 (%3; the last CD %4 % full)</source>
        <translation>%1 CD de %2 (%3 ; le dernier CD plein à %4 %)</translation>
    </message>
    <message>
        <source>%1 of %2, %3 % full</source>
        <translation>%1 sur %2, plein à %3 %</translation>
    </message>
    <message>
        <source>Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 file</source>
        <translation>Vidéo %1 kbit/s, son %2 kbit/s, %3 de vidéo dans %4 fichier</translation>
    </message>
    <message>
        <source>Video %1 kbit/s, sound %2 kbit/s, %3 of video in %4 files</source>
        <translation>Vidéo %1 kbit/s, son %2 kbit/s, %3 de vidéo dans %4 fichiers</translation>
    </message>
    <message>
        <source>Job time: under a minute on this machine</source>
        <translation>Durée : moins d’une minute sur cette machine</translation>
    </message>
    <message>
        <source>Job time: under a minute (a first guess)</source>
        <translation>Durée : moins d’une minute (première estimation)</translation>
    </message>
    <message>
        <source>Job time: about %1 on this machine</source>
        <translation>Durée : environ %1 sur cette machine</translation>
    </message>
    <message>
        <source>Job time: about %1 (a first guess)</source>
        <translation>Durée : environ %1 (première estimation)</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Taille d’origine</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stéréo</translation>
    </message>
    <message>
        <source>As the source</source>
        <translation>Comme la source</translation>
    </message>
    <message>
        <source>TV Standard:</source>
        <translation>Norme TV :</translation>
    </message>
    <message>
        <source>Video Codec:</source>
        <translation>Codec vidéo :</translation>
    </message>
    <message>
        <source>Video Bit Rate:</source>
        <translation>Débit vidéo :</translation>
    </message>
    <message>
        <source>Video Frame Rate:</source>
        <translation>Images/s :</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Taille d’image :</translation>
    </message>
    <message>
        <source>Aspect Ratio:</source>
        <translation>Format d’image :</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Codec audio :</translation>
    </message>
    <message>
        <source>Audio Bit Rate:</source>
        <translation>Débit audio :</translation>
    </message>
    <message>
        <source>Audio Channels:</source>
        <translation>Canaux audio :</translation>
    </message>
    <message>
        <source>Multichannel:</source>
        <translation>Multicanal :</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Disc Size:</source>
        <translation>Taille du disque :</translation>
    </message>
    <message>
        <source>Using FFmpeg</source>
        <translation>Avec FFmpeg</translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Débit vidéo :</translation>
    </message>
    <message>
        <source>Configure Codec</source>
        <translation>Régler le codec</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Images/s :</translation>
    </message>
    <message>
        <source>Audio Format</source>
        <translation>Format audio</translation>
    </message>
    <message>
        <source>Using L.A.M.E. encoding engine</source>
        <translation>Avec l’encodeur L.A.M.E.</translation>
    </message>
    <message>
        <source>MPEG Version:</source>
        <translation>Version MPEG :</translation>
    </message>
    <message>
        <source>How Do I Convert to MPEG4?</source>
        <translation>Comment convertir en MPEG4 ?</translation>
    </message>
    <message>
        <source>Output Video Format: </source>
        <translation>Format vidéo de sortie : </translation>
    </message>
    <message>
        <source>DVD Properties</source>
        <translation>Propriétés du DVD</translation>
    </message>
    <message>
        <source>DVD Type:</source>
        <translation>Type de DVD :</translation>
    </message>
    <message>
        <source>DVD device</source>
        <translation>Graveur de DVD</translation>
    </message>
    <message>
        <source>VCD Settings</source>
        <translation>Réglages VCD</translation>
    </message>
    <message>
        <source>VCD Properties</source>
        <translation>Propriétés du VCD</translation>
    </message>
    <message>
        <source>VCD Type:</source>
        <translation>Type de VCD :</translation>
    </message>
    <message>
        <source>CD device</source>
        <translation>Graveur de CD</translation>
    </message>
    <message>
        <source>SVCD Settings</source>
        <translation>Réglages SVCD</translation>
    </message>
    <message>
        <source>Output file format settings</source>
        <translation>Réglages du format de sortie</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Abandonner</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>&amp;Réessayer</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorer</translation>
    </message>
    <message>
        <source>Image file in the output folder</source>
        <translation>Fichier image dans le dossier de sortie</translation>
    </message>
    <message>
        <source>Erase CD</source>
        <translation>Effacer le CD</translation>
    </message>
    <message>
        <source>Erase DVD</source>
        <translation>Effacer le DVD</translation>
    </message>
    <message>
        <source>%1

The video of this file cannot be decoded: %2.
The file is not converted.</source>
        <translation>%1

La vidéo de ce fichier ne peut pas être décodée : %2.
Le fichier n’est pas converti.</translation>
    </message>
    <message>
        <source>To burn this movie using the VCD format, you need to use %1 blank CDs. %2</source>
        <translation>Pour graver ce film au format VCD, il vous faut %1 CD vierges. %2</translation>
    </message>
    <message>
        <source>To fit it on less CDs, first select &apos;Cancel&apos; and decrease the quality.</source>
        <translation>Pour qu’il tienne sur moins de CD, choisissez d’abord « Annuler » et réduisez la qualité.</translation>
    </message>
    <message>
        <source>To burn this movie using the SVCD format, you need to use %1 blank CDs.%2</source>
        <translation>Pour graver ce film au format SVCD, il vous faut %1 CD vierges.%2</translation>
    </message>
    <message>
        <source> To fit it on less CDs, first select &apos;Cancel&apos; and decrease the quality</source>
        <translation> Pour qu’il tienne sur moins de CD, choisissez d’abord « Annuler » et réduisez la qualité</translation>
    </message>
    <message>
        <source>Specified file is not a video file or format is not supported !</source>
        <translation>Le fichier indiqué n’est pas un fichier vidéo ou son format n’est pas pris en charge !</translation>
    </message>
    <message>
        <source>&amp;About Orlenta...</source>
        <translation>&amp;À propos d’Orlenta...</translation>
    </message>
    <message>
        <source>The subtitles of %1 cannot be put onto the disc:
%2</source>
        <translation>Les sous-titres de %1 ne peuvent pas être placés sur le disque :
%2</translation>
    </message>
    <message>
        <source>Error #12: Conversion problem</source>
        <translation>Erreur n° 12 : problème de conversion</translation>
    </message>
    <message>
        <source>

The disk is full: there is no room left for %1</source>
        <translation>

Le disque est plein : il n’y a plus de place pour %1</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message>
        <source>A DVD menu holds at most %1 titles and the list holds %2 files: remove some files or make a second DVD of them.</source>
        <translation>Un menu de DVD contient au plus %1 titres et la liste contient %2 fichiers : retirez quelques fichiers ou faites-en un second DVD.</translation>
    </message>
    <message>
        <source>The list does not fit: its %1 of video need more than one %2 even at the lowest quality; remove some files or choose DVD-9 in the DVD settings.</source>
        <translation>La liste ne tient pas : ses %1 de vidéo demandent plus d’un %2 même à la qualité la plus basse ; retirez quelques fichiers ou choisissez DVD-9 dans les réglages du DVD.</translation>
    </message>
    <message>
        <source>The list does not fit: its %1 of video need more than one %2 even at the lowest quality; remove some files or make a second DVD of them.</source>
        <translation>La liste ne tient pas : ses %1 de vidéo demandent plus d’un %2 même à la qualité la plus basse ; retirez quelques fichiers ou faites-en un second DVD.</translation>
    </message>
    <message>
        <source>The movie does not fit: it needs %1 CDs and one movie may take at most %2; choose a lower quality, larger CDs or a shorter file.</source>
        <translation>Le film ne tient pas : il lui faut %1 CD et un film peut en occuper au plus %2 ; choisissez une qualité inférieure, des CD plus grands ou un fichier plus court.</translation>
    </message>
    <message>
        <source>Title on the DVD menu</source>
        <translation>Titre dans le menu du DVD</translation>
    </message>
    <message>
        <source>The menu&apos;s text for %1:</source>
        <translation>Le texte du menu pour %1 :</translation>
    </message>
    <message>
        <source>Quality (lower is better, rate factor):</source>
        <translation>Qualité (plus bas est meilleur, facteur de débit) :</translation>
    </message>
    <message>
        <source>Quality (lower is better, quantiser):</source>
        <translation>Qualité (plus bas est meilleur, quantificateur) :</translation>
    </message>
    <message>
        <source>by quality</source>
        <translation>selon la qualité</translation>
    </message>
    <message>
        <source> kbit/s</source>
        <translation> kbit/s</translation>
    </message>
    <message>
        <source>every 5 seconds</source>
        <translation>toutes les 5 secondes</translation>
    </message>
    <message>
        <source> frames</source>
        <translation> images</translation>
    </message>
    <message>
        <source>Key frame every:</source>
        <translation>Image clé toutes les :</translation>
    </message>
    <message>
        <source>1 dropped file will be added when the job ends.</source>
        <translation>1 fichier déposé sera ajouté à la fin du travail.</translation>
    </message>
    <message>
        <source>%1 dropped files will be added when the job ends.</source>
        <translation>%1 fichiers déposés seront ajoutés à la fin du travail.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>button</comment>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>All Video Files</source>
        <translation>Tous les fichiers vidéo</translation>
    </message>
    <message>
        <source>AVI Files (*.avi)</source>
        <translation>Fichiers AVI (*.avi)</translation>
    </message>
    <message>
        <source>Mpeg files (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)</source>
        <translation>Fichiers MPEG (*.mpg, *.mpeg, *.mp2, *.mpe, *.mp4, *.mvv)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv, *.wma, *.asf)</source>
        <translation>Fichiers Windows Media (*.wmv, *.wma, *.asf)</translation>
    </message>
    <message>
        <source>Quick Time Files (*.mov, *.qt)</source>
        <translation>Fichiers QuickTime (*.mov, *.qt)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Fichiers de Vidéo CD (*.dat)</translation>
    </message>
    <message>
        <source>Matroska and WebM files (*.mkv, *.webm)</source>
        <translation>Fichiers Matroska et WebM (*.mkv, *.webm)</translation>
    </message>
    <message>
        <source>MPEG transport streams (*.ts, *.mts, *.m2ts, *.m2t)</source>
        <translation>Flux de transport MPEG (*.ts, *.mts, *.m2ts, *.m2t)</translation>
    </message>
    <message>
        <source>DVD video files (*.vob)</source>
        <translation>Fichiers vidéo de DVD (*.vob)</translation>
    </message>
    <message>
        <source>Phone video files (*.3gp, *.3g2, *.m4v)</source>
        <translation>Fichiers vidéo de téléphone (*.3gp, *.3g2, *.m4v)</translation>
    </message>
    <message>
        <source>Ogg video files (*.ogv)</source>
        <translation>Fichiers vidéo Ogg (*.ogv)</translation>
    </message>
    <message>
        <source>Flash video files (*.flv)</source>
        <translation>Fichiers vidéo Flash (*.flv)</translation>
    </message>
    <message>
        <source>DV files (*.dv)</source>
        <translation>Fichiers DV (*.dv)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm, *.rmvb)</source>
        <translation>Fichiers Real Media (*.rm, *.rmvb)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>%1 made by the video library</source>
        <translation>%1 créé par la bibliothèque vidéo</translation>
    </message>
    <message>
        <source>holds no subtitles</source>
        <translation>ne contient pas de sous-titres</translation>
    </message>
    <message>
        <source>holds one sound track</source>
        <translation>ne contient qu’une piste son</translation>
    </message>
    <message>
        <source>holds %1 sound tracks</source>
        <translation>contient %1 pistes son</translation>
    </message>
    <message>
        <source>holds %1 subtitle tracks</source>
        <translation>contient %1 pistes de sous-titres</translation>
    </message>
    <message>
        <source>cannot carry %1 subtitles</source>
        <translation>ne peut pas porter de sous-titres %1</translation>
    </message>
    <message>
        <source>sound track %1</source>
        <translation>piste son %1</translation>
    </message>
    <message>
        <source>%1 subtitle track</source>
        <translation>%1 piste de sous-titres</translation>
    </message>
    <message>
        <source>%1 subtitle tracks</source>
        <translation>%1 pistes de sous-titres</translation>
    </message>
    <message>
        <source>%1 %2: %3 of &apos;%4&apos; will be left out.</source>
        <translation>%1 %2 – laissé de côté dans « %4 » : %3.</translation>
    </message>
    <message>
        <source> Go on?</source>
        <translation> Continuer ?</translation>
    </message>
    <message>
        <source>A DVD</source>
        <translation>Un DVD</translation>
    </message>
    <message>
        <source>File %1 of %2</source>
        <translation>Fichier %1 sur %2</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation>Chaque minute</translation>
    </message>
    <message>
        <source>Every %1 minutes</source>
        <translation>Toutes les %1 minutes</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Chapitres :</translation>
    </message>
</context>
</TS>
