<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>&amp;Nouvelle fenêtre</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>&amp;Ouvrir une vidéo…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>&amp;Fermer la fenêtre</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>À &amp;propos de Framepicker</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>À propos de Framepicker</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>&amp;Rechercher les mises à jour chaque jour</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker ouvre au plus huit vidéos à la fois, chacune dans sa propre fenêtre. Vidéos non ouvertes : %@.</translation>
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
        <translation>Enregistre la première et la dernière image exactes d’une vidéo au format PNG.</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>Réalisé par</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>Déposez une vidéo ici</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>Traitement de « %@ »…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>Seuls les fichiers présents sur cet ordinateur peuvent être ouverts.</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>Les fichiers « %@ » ne sont pas pris en charge. Choisissez un fichier vidéo.</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>Une nouvelle version de Framepicker est disponible.</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker est fourni gratuitement et « en l’état », sans garantie d’aucune sorte, expresse ou implicite, y compris, sans s’y limiter, les garanties de qualité marchande, d’adéquation à un usage particulier et d’absence de contrefaçon.

En aucun cas les auteurs ou les titulaires de droits ne pourront être tenus responsables de toute réclamation, de tout dommage ou de toute autre responsabilité, que ce soit dans le cadre d’un contrat, d’un délit ou autre, découlant du logiciel, de son utilisation ou de toute autre opération le concernant, ou en lien avec ceux-ci.

Vous utilisez le logiciel à vos propres risques. Aucune garantie n’est donnée quant à l’exactitude, la fiabilité, l’exhaustivité ou l’actualité du logiciel ou des images et autres résultats qu’il produit ; vérifiez ses résultats avant de vous y fier dans votre travail.

Vous êtes seul responsable de vous assurer que votre utilisation du logiciel, y compris des vidéos et autres contenus que vous traitez avec lui, respecte les lois qui vous sont applicables et ne porte pas atteinte à la propriété intellectuelle ou aux autres droits de tiers.

Les auteurs n’ont aucune obligation de fournir une assistance, une maintenance, des corrections, des mises à jour ou de nouvelles versions du logiciel, ni de répondre aux questions le concernant, et peuvent le modifier ou cesser de le proposer à tout moment sans préavis.

En utilisant le logiciel, vous acceptez d’indemniser et de dégager de toute responsabilité ses auteurs et titulaires de droits à l’égard de toute réclamation, perte, dommage et de tous frais, y compris des honoraires d’avocat raisonnables, résultant de votre utilisation du logiciel ou de votre violation des présentes conditions.</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>Les fichiers sans extension ne sont pas pris en charge. Choisissez un fichier vidéo.</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>Vidéos (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>Ouvrir une vidéo</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>« %@ » est introuvable.</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>« %@ » est un dossier, pas un fichier vidéo.</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>« %@ » n’a pas pu être lu comme une vidéo.</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>« %@ » ne contient aucune vidéo.</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>« %@ » utilise un format vidéo qui ne peut pas être décodé.</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>« %@ » n’a pas pu être décodé.</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>Aucune image n’a pu être décodée à partir de « %@ ».</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>« %@ » n’a pas pu être lu jusqu’au bout.</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>« %@ » contient des images trop grandes pour être enregistrées.</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>« %@ » utilise un format de pixels qui ne peut pas être converti.</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>Les couleurs de « %@ » ne peuvent pas être converties pour l’écran.</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>Le traitement de « %@ » demande plus de mémoire qu’il n’y en a de disponible.</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>« %@ » a été supprimé pendant sa lecture.</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>« %@ » a été modifié pendant sa lecture.</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>« %@ » n’a plus pu être lu.</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>Impossible d’encoder le PNG : %@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>Traitement : %@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>Terminé : %@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>Erreur : %@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>Le dossier « %@ » n’a pas pu être créé.</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>« %@ » n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>« %@ » n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>Le décodeur s’est arrêté pendant la lecture de « %@ ».</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>Le décodeur de « %@ » n’a pas pu être isolé ; il n’a donc pas été lancé.</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>Le décodeur a cessé de répondre pendant la lecture de « %@ ».</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>« %@ » déclare des pixels d’une forme trop extrême pour être affichés.</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>Les images de « %@ » ne peuvent pas être mises à l’échelle de leur taille d’affichage.</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>« %@ » est un lien créé par un autre utilisateur ; rien n’est écrit en passant par lui.</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>Le dossier « %@ » appartient à un autre utilisateur ; rien n’y est écrit.</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>Le dossier « %@ » est utilisé par un autre programme.</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>Choisir un autre dossier…</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>Choisir un autre dossier</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ et autres vidéos</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation> (%@)</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>données non valides</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>fin de fichier</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>aucun décodeur trouvé</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>erreur d’entrée/sortie</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>opération non autorisée</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>système de fichiers en lecture seule</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>plus d’espace libre sur le périphérique</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>un fichier de ce nom existe</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>fichier ou dossier inexistant</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>erreur de segmentation</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>arrêté de force</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>abandonné</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>appel système interdit</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>option inconnue « %@ »</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>l’option « %@ » demande une valeur</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>« %@ » n’est pas un nombre de tâches entre 1 et 1024</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>le nom du dossier de sortie est vide</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>aucune vidéo indiquée</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>« %@ --help » donne plus d’informations.</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>Utilisation : framepicker-cli [OPTION]... VIDÉO...
Écrit la première et la dernière image exactes de chaque VIDÉO dans first.png
et last.png, dans un dossier à côté d’elle qui porte son nom, et affiche le
chemin de ce dossier.

  -j, --jobs=N        traiter jusqu’à N vidéos à la fois (par défaut : le
                      nombre de cœurs ; 1 les traite l’une après l’autre)
  -o, --output=DIR    placer le dossier de chaque vidéo sous DIR, au chemin
                      de la vidéo tel qu’indiqué (clips/a/trip.mov donne
                      DIR/clips/a/trip ; un chemin absolu, ou avec .., son
                      chemin depuis la racine)
      --json          afficher un objet JSON par vidéo au lieu du dossier
      --unordered     afficher chaque résultat dès qu’il est prêt, et non
                      dans l’ordre donné
  -q, --quiet         ne pas afficher la progression dans le terminal
  -h, --help          afficher cette aide et quitter
  -V, --version       afficher la version et quitter

Résultats et erreurs tiennent chacun sur une ligne, dans l’ordre des vidéos.
Code de sortie : 0 si toutes les vidéos ont réussi, 1 si l’une a échoué, 2 en
cas d’utilisation incorrecte.
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>Utilisation : framepicker [OPTION]... [VIDÉO]...
Ouvre la fenêtre de Framepicker ; avec VIDÉO, écrit sa première et sa dernière
image exactes dans first.png et last.png, dans un dossier à côté d’elle, comme
si on la déposait sur la fenêtre. Chaque VIDÉO a sa propre fenêtre,
jusqu’à huit.

      --about         ouvrir aussi la fenêtre « À propos de Framepicker »
  -h, --help          afficher cette aide et quitter
  -V, --version       afficher la version et quitter

Les options propres à Qt, comme -platform NOM et -style NOM, sont aussi
acceptées.
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@ Utilisez -o DIR pour écrire dans un autre dossier.</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>confinement du décodeur : %@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>refusé (%@), aucune vidéo n’est donc décodée</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>inconnu (%@)</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>sans Landlock</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>sans seccomp</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>limite de mémoire %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>sans limite de mémoire</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>, </translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@ %</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>encore %@ environ</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>Première</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>Dernière</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>Première image de %@</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>Dernière image de %@</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>Aucun programme n’a pu ouvrir « %@ ».</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>%@ de plus</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>Éléments non ouverts, car ce ne sont pas des vidéos : %@.</translation>
    </message>
</context>
</TS>
