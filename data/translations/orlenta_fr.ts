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
</context>
</TS>
