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
</context>
</TS>
