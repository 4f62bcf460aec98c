<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>&amp;Nueva ventana</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>&amp;Abrir vídeo…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>&amp;Cerrar ventana</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>Acerca &amp;de Framepicker</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>Acerca de Framepicker</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>&amp;Buscar actualizaciones a diario</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker abre como máximo ocho vídeos a la vez, cada uno en su propia ventana. Vídeos sin abrir: %@.</translation>
    </message>
    <message>
        <source>Framepicker</source>
        <translation>Framepicker</translation>
    </message>
    <message>
        <source>about.version %@</source>
        <translation>Versión %@</translation>
    </message>
    <message>
        <source>about.description</source>
        <translation>Guarda el primer y el último fotograma exactos de un vídeo como imágenes PNG.</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>Aviso legal</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>Creado por</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>Suelta un vídeo aquí</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>Procesando «%@»…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>Solo se pueden abrir archivos de este ordenador.</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>Los archivos «%@» no son compatibles. Elige un archivo de vídeo.</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>Hay una nueva versión de Framepicker disponible.</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker se ofrece de forma gratuita y «tal cual», sin garantía de ningún tipo, expresa o implícita, incluidas, entre otras, las garantías de comerciabilidad, idoneidad para un fin determinado y no infracción.

En ningún caso los autores o los titulares de los derechos serán responsables de ninguna reclamación, daño u otra responsabilidad, ya sea contractual, extracontractual o de otro tipo, que se derive del software, de su uso o de cualquier otra operación relacionada con él.

Usted utiliza el software por su cuenta y riesgo. No se garantiza la exactitud, fiabilidad, integridad ni actualidad del software ni de las imágenes y demás resultados que produce; compruebe sus resultados antes de confiar en ellos en su trabajo.

Usted es el único responsable de asegurarse de que su uso del software, incluidos los vídeos y demás contenidos que procese con él, cumple las leyes que le sean aplicables y no infringe la propiedad intelectual ni otros derechos de terceros.

Los autores no tienen ninguna obligación de prestar asistencia, mantenimiento, correcciones, actualizaciones ni nuevas versiones del software, ni de responder a preguntas sobre él, y pueden modificarlo o dejar de ofrecerlo en cualquier momento sin previo aviso.

Al utilizar el software, usted acepta indemnizar y eximir de responsabilidad a sus autores y titulares de derechos frente a cualquier reclamación, pérdida, daño y coste, incluidos unos honorarios de abogados razonables, que se derive de su uso del software o del incumplimiento de estas condiciones.</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>Los archivos sin extensión no son compatibles. Elige un archivo de vídeo.</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>Vídeos (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>Abrir vídeo</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>No se ha encontrado «%@».</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>«%@» es una carpeta, no un archivo de vídeo.</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>«%@» no se ha podido leer como vídeo.</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>«%@» no contiene ningún vídeo.</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>«%@» usa un formato de vídeo que no se puede descodificar.</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>«%@» no se ha podido descodificar.</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>No se ha podido descodificar ningún fotograma de «%@».</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>«%@» no se ha podido leer hasta el final.</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>«%@» tiene fotogramas demasiado grandes para guardarlos.</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>«%@» tiene un formato de píxeles que no se puede convertir.</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>Los colores de «%@» no se pueden convertir para la pantalla.</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>«%@» necesita más memoria de la que hay disponible.</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>«%@» se ha eliminado mientras se leía.</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>«%@» ha cambiado mientras se leía.</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>«%@» ya no se ha podido leer.</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>No se ha podido codificar el PNG: %@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>Procesando: %@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>Terminado: %@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>Error: %@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>No se ha podido crear la carpeta «%@».</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>No se ha podido escribir «%@».</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>«%@» no es un archivo normal.</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>El descodificador se ha detenido al leer «%@».</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>No se ha podido aislar el descodificador de «%@», así que no se ha iniciado.</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>El descodificador ha dejado de responder al leer «%@».</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>«%@» declara píxeles de una forma demasiado extrema para mostrarse.</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>Los fotogramas de «%@» no se pueden escalar a su tamaño de visualización.</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>«%@» es un enlace creado por otro usuario; no se escribe nada a través de él.</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>La carpeta «%@» pertenece a otro usuario; no se escribe nada en ella.</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>La carpeta «%@» está siendo usada por otro programa.</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>Elegir otra carpeta…</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>Elegir otra carpeta</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ y otros vídeos</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation> (%@)</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>datos no válidos</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>fin del archivo</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>no se ha encontrado ningún descodificador</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>error de entrada/salida</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>operación no permitida</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>sistema de archivos de solo lectura</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>no queda espacio en el dispositivo</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>ya existe un archivo con ese nombre</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>no existe el archivo o la carpeta</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>memoria insuficiente</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>fallo de segmentación</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>detenido a la fuerza</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>abortado</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>llamada al sistema no permitida</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>opción desconocida «%@»</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>la opción «%@» necesita un valor</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>«%@» no es un número de trabajos entre 1 y 1024</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>el nombre de la carpeta de salida está vacío</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>no se ha indicado ningún vídeo</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>«%@ --help» da más información.</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>Uso: framepicker-cli [OPCIÓN]... VÍDEO...
Escribe el primer y el último fotograma exactos de cada VÍDEO como first.png y
last.png en una carpeta junto a él con su nombre, y muestra la ruta de esa
carpeta.

  -j, --jobs=N        procesar hasta N vídeos a la vez (por omisión: el número
                      de núcleos; 1 los procesa uno tras otro)
  -o, --output=DIR    poner la carpeta de cada vídeo bajo DIR, en la ruta del
                      vídeo tal como se indicó (clips/a/trip.mov da
                      DIR/clips/a/trip; una ruta absoluta, o con .., su ruta
                      desde la raíz)
      --json          mostrar un objeto JSON por vídeo en lugar de la carpeta
      --unordered     mostrar cada resultado en cuanto está listo, no en el
                      orden dado
  -q, --quiet         no mostrar el progreso en el terminal
  -h, --help          mostrar esta ayuda y salir
  -V, --version       mostrar la versión y salir

Resultados y errores ocupan una línea cada uno, en el orden de los vídeos.
Estado de salida: 0 si todos los vídeos salieron bien, 1 si alguno falló, 2 si
el uso es incorrecto.
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>Uso: framepicker [OPCIÓN]... [VÍDEO]...
Abre la ventana de Framepicker; con VÍDEO, escribe su primer y su último
fotograma exactos como first.png y last.png en una carpeta junto a él, como al
soltarlo en la ventana. Cada VÍDEO tiene su propia ventana, hasta ocho.

      --about         abrir también la ventana «Acerca de Framepicker»
  -h, --help          mostrar esta ayuda y salir
  -V, --version       mostrar la versión y salir

También se aceptan las opciones propias de Qt, como -platform NOMBRE y
-style NOMBRE.
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@ Usa -o DIR para escribir en otra carpeta.</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>aislamiento del descodificador: %@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>rechazado (%@), así que no se descodifica ningún vídeo</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>desconocido (%@)</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>sin Landlock</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>sin seccomp</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>límite de memoria %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>sin límite de memoria</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>, </translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@ %</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>quedan unos %@</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>Primero</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>Último</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>Primer fotograma de %@</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>Último fotograma de %@</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>Ningún programa ha podido abrir «%@».</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>%@ más</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>No son vídeos, así que no se han abierto: %@.</translation>
    </message>
</context>
</TS>
