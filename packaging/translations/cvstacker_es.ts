<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Corvane Part File Stacker</source>
        <translation>Acerca de Corvane Part File Stacker</translation>
    </message>
    <message>
        <source>Corvane Part File Stacker</source>
        <translation>Corvane Part File Stacker</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>(c) Corvane. Free to use and share, provided as is, without warranty.</source>
        <translation>(c) Corvane. Libre para usar y compartir; se ofrece tal cual, sin garantía.</translation>
    </message>
    <message>
        <source>Built with Qt %1, running on Qt %2.</source>
        <translation>Compilado con Qt %1, en ejecución sobre Qt %2.</translation>
    </message>
</context>
<context>
    <name>BatchModes</name>
    <message>
        <source>--answer %1: give NAME=VALUE, the value a number.</source>
        <translation>--answer %1: indique NOMBRE=VALOR, con un número como valor.</translation>
    </message>
    <message>
        <source>Estimated time: %1</source>
        <translation>Tiempo estimado: %1</translation>
    </message>
    <message>
        <source>Extent: no motion</source>
        <translation>Recorrido: sin movimiento</translation>
    </message>
    <message>
        <source>Segments: %1</source>
        <translation>Segmentos: %1</translation>
    </message>
    <message>
        <source>Stops for the operator: %1</source>
        <translation>Paradas para el operario: %1</translation>
    </message>
    <message>
        <source>The job sheet would replace the part file &quot;%1&quot;; name another file.</source>
        <translation>La hoja de trabajo reemplazaría el archivo de pieza &quot;%1&quot;; indique otro archivo.</translation>
    </message>
    <message>
        <source>Bit: flat, %1</source>
        <translation>Fresa: plana, %1</translation>
    </message>
    <message>
        <source>Bit: ball, %1</source>
        <translation>Fresa: de punta esférica, %1</translation>
    </message>
    <message>
        <source>Bit: V, %1°, %2</source>
        <translation>Fresa: en V, %1°, %2</translation>
    </message>
    <message>
        <source>Carved blank: none, as the header and the settings give no blank to carve</source>
        <translation>Tablero tallado: ninguno, ya que ni la cabecera ni la configuración indican un tablero que tallar</translation>
    </message>
    <message>
        <source>Carved blank: cell %1, removed volume %2 %3³</source>
        <translation>Tablero tallado: celda %1, volumen retirado %2 %3³</translation>
    </message>
    <message>
        <source>Deepest cut: Z %1 at X %2, Y %3</source>
        <translation>Corte más profundo: Z %1 en X %2, Y %3</translation>
    </message>
    <message>
        <source>Deepest cut: none over the blank</source>
        <translation>Corte más profundo: ninguno sobre el tablero</translation>
    </message>
    <message>
        <source>Unit: %1, %2</source>
        <translation>Unidad: %1, %2</translation>
    </message>
    <message>
        <source>from the header</source>
        <translation>de la cabecera</translation>
    </message>
    <message>
        <source>from the settings</source>
        <translation>de la configuración</translation>
    </message>
    <message>
        <source>Extent: X %1, Y %2, Z %3</source>
        <translation>Recorrido: X %1, Y %2, Z %3</translation>
    </message>
    <message>
        <source>The program has %1 lines, and every one is checked; the panel takes at most %2, so the window cannot open this file.</source>
        <translation>El programa tiene %1 líneas, y se comprueban todas; el panel admite como máximo %2, así que la ventana no puede abrir este archivo.</translation>
    </message>
    <message>
        <source>--cell %1 would take %2 MiB for the whole blank, above the memory budget of %3 MiB; give %4 or more.</source>
        <translation>--cell %1 ocuparía %2 MiB para todo el tablero, por encima del límite de memoria de %3 MiB; indique %4 o más.</translation>
    </message>
    <message>
        <source>The picture would replace the part file &quot;%1&quot;; name another file.</source>
        <translation>La imagen reemplazaría el archivo de pieza &quot;%1&quot;; indique otro archivo.</translation>
    </message>
    <message>
        <source>No carved picture: the header and the settings give no blank to carve.</source>
        <translation>Sin imagen del tallado: ni la cabecera ni la configuración indican un tablero que tallar.</translation>
    </message>
    <message>
        <source>The checker could not read the file, so only the dry run&apos;s warnings are listed: %1</source>
        <translation>La comprobación no pudo leer el archivo, así que solo se muestran los avisos de la simulación: %1</translation>
    </message>
</context>
<context>
    <name>CarveRelief</name>
    <message>
        <source>The picture could not be written to &quot;%1&quot;: %2</source>
        <translation>No se pudo escribir la imagen en &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>the PNG could not be encoded.</source>
        <translation>no se pudo codificar el PNG.</translation>
    </message>
</context>
<context>
    <name>CarvedPane</name>
    <message>
        <source>Path</source>
        <translation>Trayectoria</translation>
    </message>
    <message>
        <source>Lay the toolpath over the carved blank</source>
        <translation>Superponer la trayectoria al tablero tallado</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Medir</translation>
    </message>
    <message>
        <source>Click two points to measure between them; Escape or a third click starts over</source>
        <translation>Haga clic en dos puntos para medir entre ellos; Esc o un tercer clic vuelve a empezar</translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation>Preparando…</translation>
    </message>
    <message>
        <source>The carved blank is being made ready for the scrubber; until then it shows the end of the run</source>
        <translation>Se está preparando el tablero tallado para la barra de reproducción; mientras tanto muestra el final de la ejecución</translation>
    </message>
    <message>
        <source>No dry run yet.</source>
        <translation>Todavía no hay simulación.</translation>
    </message>
    <message>
        <source>Nothing to carve: the program&apos;s header gives no blank size, and neither do the dry run&apos;s Settings… (Blank X and Blank Y).</source>
        <translation>Nada que tallar: la cabecera del programa no indica el tamaño del tablero, y tampoco la Configuración… de la simulación (Tablero X y Tablero Y).</translation>
    </message>
    <message>
        <source>Nothing to carve: Z is zeroed on the table, and the blank&apos;s thickness is not known (give it in the header or in Settings…).</source>
        <translation>Nada que tallar: el cero de Z está en la mesa y no se conoce el espesor del tablero (indíquelo en la cabecera o en Configuración…).</translation>
    </message>
</context>
<context>
    <name>CarvedSurface</name>
    <message>
        <source>Drag: turn. Wheel: zoom. Double click: as at first.</source>
        <translation>Arrastrar: girar. Rueda: zoom. Doble clic: vista inicial.</translation>
    </message>
    <message>
        <source>Carving…</source>
        <translation>Tallando…</translation>
    </message>
</context>
<context>
    <name>CarvedView</name>
    <message>
        <source>Wheel: zoom. Drag: move. Double click: fit. The readout below gives the depth of cut under the pointer.</source>
        <translation>Rueda: zoom. Arrastrar: mover. Doble clic: ajustar. La lectura de abajo indica la profundidad de corte bajo el puntero.</translation>
    </message>
    <message>
        <source>X %1  Y %2</source>
        <translation>X %1  Y %2</translation>
    </message>
    <message>
        <source>(off the blank)</source>
        <translation>(fuera del tablero)</translation>
    </message>
    <message>
        <source>Depth of cut %1</source>
        <translation>Profundidad de corte %1</translation>
    </message>
    <message>
        <source>Distance %1  ΔX %2  ΔY %3</source>
        <translation>Distancia %1  ΔX %2  ΔY %3</translation>
    </message>
</context>
<context>
    <name>CommandDialog</name>
    <message>
        <source>Add a comment to this command line?</source>
        <translation>¿Añadir un comentario a esta línea de comando?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Assembles Corvane part files from command lines.</source>
        <translation>Compone archivos de pieza de Corvane a partir de líneas de comando.</translation>
    </message>
    <message>
        <source>The part file to open.</source>
        <translation>El archivo de pieza que se abrirá.</translation>
    </message>
    <message>
        <source>Checks the part file and prints one finding a line, as FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT.</source>
        <translation>Comprueba el archivo de pieza e imprime un hallazgo por línea, como FILE:LINE: error: TEXT o FILE:LINE: warning: TEXT.</translation>
    </message>
    <message>
        <source>The value an INPUT line&apos;s variable takes in the dry run or the job sheet.</source>
        <translation>El valor que toma la variable de una línea INPUT en la simulación o en la hoja de trabajo.</translation>
    </message>
    <message>
        <source>Prints the dry run as one JSON object.</source>
        <translation>Imprime la simulación como un único objeto JSON.</translation>
    </message>
    <message>
        <source>Draws the dry run&apos;s toolpath, seen from the top, into a PNG or SVG file.</source>
        <translation>Dibuja la trayectoria de la simulación, vista desde arriba, en un archivo PNG o SVG.</translation>
    </message>
    <message>
        <source>Only one part file can be named.</source>
        <translation>Solo se puede indicar un archivo de pieza.</translation>
    </message>
    <message>
        <source>--check, --dry-run and --job-sheet exclude each other.</source>
        <translation>--check, --dry-run y --job-sheet se excluyen entre sí.</translation>
    </message>
    <message>
        <source>--answer goes with --dry-run or --job-sheet.</source>
        <translation>--answer va con --dry-run o --job-sheet.</translation>
    </message>
    <message>
        <source>Name the part file to check or run.</source>
        <translation>Indique el archivo de pieza que se comprobará o ejecutará.</translation>
    </message>
    <message>
        <source>Runs the part file without a machine and prints the estimated time, the unit, the extent, the stops, the warnings and the lines not simulated.</source>
        <translation>Ejecuta el archivo de pieza sin máquina e imprime el tiempo estimado, la unidad, el recorrido, las paradas, los avisos y las líneas no simuladas.</translation>
    </message>
    <message>
        <source>Draws the carved blank, seen from the top as a shaded relief, into a PNG file, one pixel a cell.</source>
        <translation>Dibuja el tablero tallado, visto desde arriba como un relieve sombreado, en un archivo PNG, un píxel por celda.</translation>
    </message>
    <message>
        <source>The carved blank&apos;s cell, in the file&apos;s unit, instead of the smallest that the memory budget allows.</source>
        <translation>La celda del tablero tallado, en la unidad del archivo, en lugar de la más pequeña que permite el límite de memoria.</translation>
    </message>
    <message>
        <source>Writes the part file&apos;s job sheet into a PDF file: the warnings, the header&apos;s answers, the toolpath from the top, the estimated time, the extent and what they assume, the stops, the lines not simulated and the numbered lines.</source>
        <translation>Escribe la hoja de trabajo del archivo de pieza en un archivo PDF: los avisos, las respuestas de la cabecera, la trayectoria vista desde arriba, el tiempo estimado, el recorrido y lo que suponen, las paradas, las líneas no simuladas y las líneas numeradas.</translation>
    </message>
    <message>
        <source>--json, --toolpath-image, --cut-image and --cell go with --dry-run.</source>
        <translation>--json, --toolpath-image, --cut-image y --cell van con --dry-run.</translation>
    </message>
    <message>
        <source>--cell %1: give the cell as a number above 0.</source>
        <translation>--cell %1: indique la celda como un número mayor que 0.</translation>
    </message>
</context>
<context>
    <name>DryRunSettingsDialog</name>
    <message>
        <source>Move XY</source>
        <translation>Movimiento XY</translation>
    </message>
    <message>
        <source>Move Z</source>
        <translation>Movimiento Z</translation>
    </message>
    <message>
        <source>Move A</source>
        <translation>Movimiento A</translation>
    </message>
    <message>
        <source>Move B</source>
        <translation>Movimiento B</translation>
    </message>
    <message>
        <source>Jog XY</source>
        <translation>Jog XY</translation>
    </message>
    <message>
        <source>Jog Z</source>
        <translation>Jog Z</translation>
    </message>
    <message>
        <source>Jog A</source>
        <translation>Jog A</translation>
    </message>
    <message>
        <source>Jog B</source>
        <translation>Jog B</translation>
    </message>
    <message>
        <source>XY acceleration</source>
        <translation>Aceleración XY</translation>
    </message>
    <message>
        <source>Z acceleration</source>
        <translation>Aceleración Z</translation>
    </message>
    <message>
        <source>A and B acceleration</source>
        <translation>Aceleración A y B</translation>
    </message>
    <message>
        <source>Calibration factor</source>
        <translation>Factor de calibración</translation>
    </message>
    <message>
        <source>Table X</source>
        <translation>Mesa X</translation>
    </message>
    <message>
        <source>Table Y</source>
        <translation>Mesa Y</translation>
    </message>
    <message>
        <source>Blank X</source>
        <translation>Tablero X</translation>
    </message>
    <message>
        <source>Blank Y</source>
        <translation>Tablero Y</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Espesor</translation>
    </message>
    <message>
        <source>Dry Run Settings</source>
        <translation>Ajustes de la simulación</translation>
    </message>
    <message>
        <source>Run time</source>
        <translation>Tiempo de ejecución</translation>
    </message>
    <message>
        <source>Accelerate and decelerate on every segment</source>
        <translation>Acelerar y frenar en cada segmento</translation>
    </message>
    <message>
        <source>Step limit (lines run)</source>
        <translation>Límite de pasos (líneas ejecutadas)</translation>
    </message>
    <message>
        <source>Table and blank (empty: no check, or the file&apos;s header decides)</source>
        <translation>Mesa y tablero (vacío: sin comprobación, o decide la cabecera del archivo)</translation>
    </message>
    <message>
        <source>Top of the blank</source>
        <translation>Superficie del tablero</translation>
    </message>
    <message>
        <source>Table top</source>
        <translation>Superficie de la mesa</translation>
    </message>
    <message>
        <source>Z zeroed at</source>
        <translation>Cero de Z en</translation>
    </message>
    <message>
        <source>%1 must be a number above 0.</source>
        <translation>%1 debe ser un número mayor que 0.</translation>
    </message>
    <message>
        <source>%1 must be a number above 0, or empty.</source>
        <translation>%1 debe ser un número mayor que 0, o quedar vacío.</translation>
    </message>
    <message>
        <source>Bit (used when the file&apos;s header names none)</source>
        <translation>Fresa (se usa cuando la cabecera del archivo no indica ninguna)</translation>
    </message>
    <message>
        <source>Flat end mill</source>
        <translation>Fresa plana</translation>
    </message>
    <message>
        <source>V bit</source>
        <translation>Fresa en V</translation>
    </message>
    <message>
        <source>Ball end mill</source>
        <translation>Fresa de punta esférica</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forma</translation>
    </message>
    <message>
        <source>The bit&apos;s cutting diameter; a V bit&apos;s where its cone ends</source>
        <translation>El diámetro de corte de la fresa; en una fresa en V, donde termina su cono</translation>
    </message>
    <message>
        <source>Diameter</source>
        <translation>Diámetro</translation>
    </message>
    <message>
        <source>V bit&apos;s angle (degrees)</source>
        <translation>Ángulo de la fresa en V (grados)</translation>
    </message>
    <message>
        <source>Where a V bit&apos;s cone ends; a header naming only the angle takes this. Empty: 1/2 inch or 12 mm.</source>
        <translation>Donde termina el cono de una fresa en V; una cabecera que solo indica el ángulo toma este valor. Vacío: 1/2 pulgada o 12 mm.</translation>
    </message>
    <message>
        <source>V bit&apos;s largest diameter</source>
        <translation>Diámetro máximo de la fresa en V</translation>
    </message>
    <message>
        <source>Carved blank</source>
        <translation>Tablero tallado</translation>
    </message>
    <message>
        <source>The most memory the carved blank&apos;s picture may take; a larger budget gives a finer picture of the whole blank. 1 to 65536 MiB.</source>
        <translation>La memoria máxima que puede ocupar la imagen del tablero tallado; un límite mayor da una imagen más fina de todo el tablero. De 1 a 65536 MiB.</translation>
    </message>
    <message>
        <source>Memory budget (MiB)</source>
        <translation>Límite de memoria (MiB)</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pulgadas</translation>
    </message>
    <message>
        <source>Millimetres</source>
        <translation>Milímetros</translation>
    </message>
    <message>
        <source>These settings are in</source>
        <translation>Estos ajustes están en</translation>
    </message>
    <message>
        <source>Speeds (%1)</source>
        <translation>Velocidades (%1)</translation>
    </message>
    <message>
        <source>%1 (%2²)</source>
        <translation>%1 (%2²)</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Diameter (%1)</source>
        <translation>Diámetro (%1)</translation>
    </message>
    <message>
        <source>V bit&apos;s largest diameter (%1)</source>
        <translation>Diámetro máximo de la fresa en V (%1)</translation>
    </message>
    <message>
        <source>0.5 (unset)</source>
        <translation>0.5 (sin definir)</translation>
    </message>
    <message>
        <source>12 (unset)</source>
        <translation>12 (sin definir)</translation>
    </message>
    <message>
        <source>The step limit must be a whole number from 1 to %1.</source>
        <translation>El límite de pasos debe ser un número entero de 1 a %1.</translation>
    </message>
    <message>
        <source>The bit&apos;s diameter must be a number above 0.</source>
        <translation>El diámetro de la fresa debe ser un número mayor que 0.</translation>
    </message>
    <message>
        <source>The V bit&apos;s angle must be a number of degrees above 0 and below 180.</source>
        <translation>El ángulo de la fresa en V debe ser un número de grados mayor que 0 y menor que 180.</translation>
    </message>
    <message>
        <source>The carve&apos;s memory budget must be a whole number of MiB from 1 to 65536.</source>
        <translation>El límite de memoria del tallado debe ser un número entero de MiB de 1 a 65536.</translation>
    </message>
    <message>
        <source>The V bit&apos;s largest diameter must be a number above 0, or empty.</source>
        <translation>El diámetro máximo de la fresa en V debe ser un número mayor que 0, o quedar vacío.</translation>
    </message>
</context>
<context>
    <name>FileCallDialog</name>
    <message>
        <source>File Properties</source>
        <translation>Propiedades del archivo</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Elegir archivo</translation>
    </message>
    <message>
        <source>Offset mode</source>
        <translation>Modo offset</translation>
    </message>
    <message>
        <source>No Offset</source>
        <translation>Sin offset</translation>
    </message>
    <message>
        <source>2d offset</source>
        <translation>Offset 2d</translation>
    </message>
    <message>
        <source>3d offset</source>
        <translation>Offset 3d</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Select the name of the file that you want to run</source>
        <translation>Elija el nombre del archivo que quiere ejecutar</translation>
    </message>
    <message>
        <source> Corvane (*.cvp)|*.cvp</source>
        <translation> Corvane (*.cvp)|*.cvp</translation>
    </message>
    <message>
        <source>To continue you must select a name for your file ...please try again</source>
        <translation>Para continuar debe elegir un nombre para su archivo... inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>This file is NOT in the same folder as your Master file so we&apos;ll have to write a full path to this file which will cause big problems if you move the files. You&apos;re just asking for trouble...are you SURE this is what you want to do!!!</source>
        <translation>Este archivo NO está en la misma carpeta que su archivo principal, así que habrá que escribir la ruta completa de este archivo, lo que causará grandes problemas si mueve los archivos. Eso es buscarse problemas... ¡¡¡está SEGURO de que es lo que quiere hacer!!!</translation>
    </message>
    <message>
        <source>Impending disaster! Doom and Gloom!</source>
        <translation>¡Desastre inminente! ¡Catástrofe total!</translation>
    </message>
</context>
<context>
    <name>FileController</name>
    <message>
        <source> You&apos;ll start by selecting the name for your Assembled part file. If you&apos;re smart you will have already created a folder and put any additional part files in it that you&apos;re going to be calling, to make it easier to keep track of everything.</source>
        <translation> Empezará eligiendo el nombre del archivo de pieza que va a montar. Si es previsor, ya habrá creado una carpeta y habrá puesto en ella los demás archivos de pieza que vaya a llamar, para tenerlo todo más fácilmente bajo control.</translation>
    </message>
    <message>
        <source>The toolbox mode could not be remembered:

%1</source>
        <translation>No se pudo guardar el modo del cuadro de comandos:

%1</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Configuración no guardada</translation>
    </message>
    <message>
        <source>The part file could not be saved:

%1

Nothing on disk was changed, and your lines are still here.</source>
        <translation>No se pudo guardar el archivo de pieza:

%1

No se cambió nada en el disco, y sus líneas siguen aquí.</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Error al guardar</translation>
    </message>
    <message>
        <source>Do you want to add a header to this file?</source>
        <translation>¿Quiere añadir una cabecera a este archivo?</translation>
    </message>
    <message>
        <source>Add a header</source>
        <translation>Añadir una cabecera</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>línea %1: %2</translation>
    </message>
    <message>
        <source>The part file is now in
%1
but these File call lines name files relative to the folder it was in before,
%2
and the new folder has no such files:

%3</source>
        <translation>El archivo de pieza está ahora en
%1
pero estas líneas de llamada a archivo nombran archivos relativos a la carpeta en la que estaba antes,
%2
y la nueva carpeta no contiene esos archivos:

%3</translation>
    </message>
    <message>
        <source>Called files not found</source>
        <translation>No se encontraron los archivos llamados</translation>
    </message>
    <message>
        <source>Save all your hard work?</source>
        <translation>¿Guardar todo su trabajo?</translation>
    </message>
    <message>
        <source>Save???</source>
        <translation>¿¿¿Guardar???</translation>
    </message>
    <message>
        <source>The part file could not be opened:

%1

The program on the panel was not changed.</source>
        <translation>No se pudo abrir el archivo de pieza:

%1

El programa del panel no se modificó.</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Error al abrir</translation>
    </message>
    <message>
        <source>Open a part file</source>
        <translation>Abrir un archivo de pieza</translation>
    </message>
    <message>
        <source>The part file
%1
is no longer there. It was taken off the list of recent files.</source>
        <translation>El archivo de pieza
%1
ya no existe. Se ha quitado de la lista de archivos recientes.</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Archivo no encontrado</translation>
    </message>
    <message>
        <source>The part file
%1
has been changed by another program since it was opened or last saved here.

Save it anyway? The lines on the panel then replace its program lines, and the changes made to them there are lost. Its header and closing block, as they stand now, are kept.</source>
        <translation>El archivo de pieza
%1
ha sido modificado por otro programa desde que se abrió o se guardó aquí por última vez.

¿Guardarlo de todos modos? Las líneas del panel reemplazarán entonces sus líneas de programa, y se perderán los cambios que el otro programa hizo en ellas. Su cabecera y su bloque de cierre se conservan tal como están ahora.</translation>
    </message>
    <message>
        <source>There was not enough memory to do this. Close other programs and try again.</source>
        <translation>No había memoria suficiente para hacer esto. Cierre otros programas e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Part file changed</source>
        <translation>Archivo de pieza modificado</translation>
    </message>
    <message>
        <source>The part file as Headsmith wrote it could not be read back:

%1

The lines on the panel are as they were; the next save asks before it replaces the file.</source>
        <translation>No se pudo volver a leer el archivo de pieza tal como lo escribió Headsmith:

%1

Las líneas del panel siguen como estaban; al guardar la próxima vez se le preguntará antes de reemplazar el archivo.</translation>
    </message>
    <message>
        <source>Part file not read</source>
        <translation>Archivo de pieza no leído</translation>
    </message>
</context>
<context>
    <name>FirstRunDialog</name>
    <message>
        <source>Get started</source>
        <translation>Empezar</translation>
    </message>
</context>
<context>
    <name>Headsmith</name>
    <message>
        <source>A line composed for this file holds a line break. Nothing was written.</source>
        <translation>Una línea compuesta para este archivo contiene un salto de línea. No se escribió nada.</translation>
    </message>
    <message>
        <source>The old Headsmith settings file could not be read:
%1

%2</source>
        <translation>No se pudo leer el archivo de configuración antiguo de Headsmith:
%1

%2</translation>
    </message>
    <message>
        <source>The old Headsmith settings file could not be removed:
%1</source>
        <translation>No se pudo borrar el archivo de configuración antiguo de Headsmith:
%1</translation>
    </message>
    <message>
        <source>The saved Headsmith answers could not be read:
%1

%2</source>
        <translation>No se pudieron leer las respuestas guardadas de Headsmith:
%1

%2</translation>
    </message>
    <message>
        <source>Its folder could not be created.</source>
        <translation>No se pudo crear su carpeta.</translation>
    </message>
    <message>
        <source>opening file</source>
        <translation>archivo de apertura</translation>
    </message>
    <message>
        <source>closing file</source>
        <translation>archivo de cierre</translation>
    </message>
    <message>
        <source>The new part file could not be written beside
%1

%2</source>
        <translation>No se pudo escribir el nuevo archivo de pieza junto a
%1

%2</translation>
    </message>
    <message>
        <source>

The part file was left unchanged.</source>
        <translation>

El archivo de pieza no se ha modificado.</translation>
    </message>
    <message>
        <source>The part file could not be read:
%1

%2</source>
        <translation>No se pudo leer el archivo de pieza:
%1

%2</translation>
    </message>
    <message>
        <source>The %1 could not be read:
%2

%3</source>
        <translation>No se pudo leer el %1:
%2

%3</translation>
    </message>
    <message>
        <source>No file was chosen.</source>
        <translation>No se eligió ningún archivo.</translation>
    </message>
    <message>
        <source>A line composed for the header of
%1
holds a line break, so the router would run part of it as a command. Nothing was written.</source>
        <translation>Una línea compuesta para la cabecera de
%1
contiene un salto de línea, así que la fresadora ejecutaría parte de ella como comando. No se escribió nada.</translation>
    </message>
    <message>
        <source>The %1 is the part file itself:
%2

A part file that calls itself runs without end, and one copied into itself repeats the whole program. Choose another %1.</source>
        <translation>El %1 es el propio archivo de pieza:
%2

Un archivo de pieza que se llama a sí mismo se ejecuta sin fin, y uno copiado dentro de sí mismo repite todo el programa. Elija otro %1.</translation>
    </message>
    <message>
        <source>The new part file could not be created beside
%1

%2</source>
        <translation>No se pudo crear el nuevo archivo de pieza junto a
%1

%2</translation>
    </message>
    <message>
        <source>The header at the top of the part file
%1
has no end line &quot;%2&quot;, so Headsmith cannot tell where it ends.</source>
        <translation>La cabecera al principio del archivo de pieza
%1
no tiene la línea final &quot;%2&quot;, así que Headsmith no puede saber dónde termina.</translation>
    </message>
    <message>
        <source>The closing block in the part file
%1
has no end line &quot;%2&quot;, so Headsmith cannot tell where it ends.</source>
        <translation>El bloque de cierre del archivo de pieza
%1
no tiene la línea final &quot;%2&quot;, así que Headsmith no puede saber dónde termina.</translation>
    </message>
    <message>
        <source>The part file
%1
was changed by another program while Headsmith was writing it. Nothing was replaced, so that no change is lost; write the header again when the other program is done.</source>
        <translation>Otro programa modificó el archivo de pieza
%1
mientras Headsmith lo escribía. No se reemplazó nada, para que no se pierda ningún cambio; vuelva a escribir la cabecera cuando el otro programa haya terminado.</translation>
    </message>
    <message>
        <source>The new part file could not replace
%1

%2</source>
        <translation>El nuevo archivo de pieza no pudo reemplazar a
%1

%2</translation>
    </message>
    <message>
        <source>Replace existing header?</source>
        <translation>¿Reemplazar la cabecera existente?</translation>
    </message>
    <message>
        <source>A header has already been written for this file using Headsmith...do you want to replace it with this information ?</source>
        <translation>Ya se escribió una cabecera para este archivo con Headsmith... ¿quiere reemplazarla con esta información?</translation>
    </message>
    <message>
        <source>A Closing file has already been written for this file using Headsmith...do you want to replace it with the new footer file ?</source>
        <translation>Ya se escribió un bloque de cierre en este archivo con Headsmith... ¿quiere reemplazarlo con el nuevo archivo de cierre?</translation>
    </message>
    <message>
        <source>An answer holds the character &quot;%1&quot;, which this file&apos;s encoding, %2, cannot hold. Nothing was written.</source>
        <translation>Una respuesta contiene el carácter &quot;%1&quot;, que la codificación de este archivo, %2, no admite. No se escribió nada.</translation>
    </message>
    <message>
        <source>These saved Headsmith answers in
%1
are longer than %2 bytes and were not loaded:
%3

What the window holds takes their place when the header is written.</source>
        <translation>Estas respuestas guardadas de Headsmith en
%1
ocupan más de %2 bytes y no se cargaron:
%3

Lo que contiene la ventana ocupará su lugar al escribir la cabecera.</translation>
    </message>
    <message>
        <source>A line composed for the header of
%1
holds the character &quot;%2&quot;, which the part file&apos;s encoding, %3, cannot hold. Nothing was written: change that answer and write the header again.</source>
        <translation>Una línea compuesta para la cabecera de
%1
contiene el carácter &quot;%2&quot;, que la codificación del archivo de pieza, %3, no admite. No se escribió nada: cambie esa respuesta y vuelva a escribir la cabecera.</translation>
    </message>
</context>
<context>
    <name>HeadsmithWindow</name>
    <message>
        <source> Corvane files (*.cvp)|*.cvp</source>
        <translation> Archivos de Corvane (*.cvp)|*.cvp</translation>
    </message>
    <message>
        <source>No file selected</source>
        <translation>Ningún archivo elegido</translation>
    </message>
    <message>
        <source>Headsmith</source>
        <translation>Headsmith</translation>
    </message>
    <message>
        <source>Corvane Headsmith</source>
        <translation>Corvane Headsmith</translation>
    </message>
    <message>
        <source>General information</source>
        <translation>Información general</translation>
    </message>
    <message>
        <source>Part File and Material Information</source>
        <translation>Archivo de pieza y material</translation>
    </message>
    <message>
        <source>General info</source>
        <translation>Información general</translation>
    </message>
    <message>
        <source>Name of original file creator</source>
        <translation>Nombre del autor original del archivo</translation>
    </message>
    <message>
        <source>Date file was created or modified</source>
        <translation>Fecha en que se creó o modificó el archivo</translation>
    </message>
    <message>
        <source>Person or company holding copyright</source>
        <translation>Persona o empresa titular de los derechos de autor</translation>
    </message>
    <message>
        <source>Years that copyright takes effect</source>
        <translation>Años de vigencia de los derechos de autor</translation>
    </message>
    <message>
        <source>A brief description of file</source>
        <translation>Breve descripción del archivo</translation>
    </message>
    <message>
        <source>Created by</source>
        <translation>Creado por</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Copyright holder</source>
        <translation>Titular del copyright</translation>
    </message>
    <message>
        <source>Copyright years</source>
        <translation>Años del copyright</translation>
    </message>
    <message>
        <source>Contact info</source>
        <translation>Datos de contacto</translation>
    </message>
    <message>
        <source>Any restrictions that are put on end user&apos;s use of file</source>
        <translation>Restricciones de uso del archivo para el usuario final</translation>
    </message>
    <message>
        <source>Person to contact if more info is needed on using file</source>
        <translation>Persona a quien consultar para más información sobre el uso del archivo</translation>
    </message>
    <message>
        <source>Use restrictions</source>
        <translation>Restricciones de uso</translation>
    </message>
    <message>
        <source>Contact Name</source>
        <translation>Nombre de contacto</translation>
    </message>
    <message>
        <source>Contact email</source>
        <translation>Correo de contacto</translation>
    </message>
    <message>
        <source>Contact phone</source>
        <translation>Teléfono de contacto</translation>
    </message>
    <message>
        <source>Opening file?</source>
        <translation>¿Archivo de apertura?</translation>
    </message>
    <message>
        <source>Add Opening file?</source>
        <translation>¿Añadir archivo de apertura?</translation>
    </message>
    <message>
        <source>Write Opening file info into the part file as text?</source>
        <translation>¿Escribir el archivo de apertura como texto en el archivo de pieza?</translation>
    </message>
    <message>
        <source>Call Opening file with FP command?</source>
        <translation>¿Llamar al archivo de apertura con el comando FP?</translation>
    </message>
    <message>
        <source>Closing file</source>
        <translation>Archivo de cierre</translation>
    </message>
    <message>
        <source>Add Closing file?</source>
        <translation>¿Añadir archivo de cierre?</translation>
    </message>
    <message>
        <source>Write Closing file info into the part file as text?</source>
        <translation>¿Escribir el archivo de cierre como texto en el archivo de pieza?</translation>
    </message>
    <message>
        <source>Call Closing file with FP command?</source>
        <translation>¿Llamar al archivo de cierre con el comando FP?</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Unidades</translation>
    </message>
    <message>
        <source>inch</source>
        <translation>pulg.</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Sizes in millimeters</source>
        <translation>Medidas en milímetros</translation>
    </message>
    <message>
        <source>Z-axis zero</source>
        <translation>Cero de Z</translation>
    </message>
    <message>
        <source>Table top surface</source>
        <translation>Superficie de la mesa</translation>
    </message>
    <message>
        <source>Material top surface</source>
        <translation>Superficie del material</translation>
    </message>
    <message>
        <source>Cut in offset mode?</source>
        <translation>¿Cortar en modo offset?</translation>
    </message>
    <message>
        <source>2d</source>
        <translation>2d</translation>
    </message>
    <message>
        <source>3d</source>
        <translation>3d</translation>
    </message>
    <message>
        <source>X offset</source>
        <translation>Offset X</translation>
    </message>
    <message>
        <source>Y offset</source>
        <translation>Offset Y</translation>
    </message>
    <message>
        <source>Z offset</source>
        <translation>Offset Z</translation>
    </message>
    <message>
        <source>Cutting Info</source>
        <translation>Datos de corte</translation>
    </message>
    <message>
        <source>Blank size</source>
        <translation>Tamaño del tablero</translation>
    </message>
    <message>
        <source>Blank thickness</source>
        <translation>Espesor del tablero</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Bit size</source>
        <translation>Medida de la fresa</translation>
    </message>
    <message>
        <source>Bit type</source>
        <translation>Tipo de fresa</translation>
    </message>
    <message>
        <source>Additional notes</source>
        <translation>Notas adicionales</translation>
    </message>
    <message>
        <source> To add some additional info to your header, type it into the top box on the right and then hit the ENTER key to add it to the larger preview box beneath it.</source>
        <translation> Para añadir información adicional a la cabecera, escríbala en el cuadro superior de la derecha y pulse la tecla INTRO para añadirla al cuadro de vista previa más grande que hay debajo.</translation>
    </message>
    <message>
        <source>Write the information</source>
        <translation>Escribir la información</translation>
    </message>
    <message>
        <source>Find out more about the Headsmith</source>
        <translation>Más información sobre Headsmith</translation>
    </message>
    <message>
        <source>Add additionallines of info text box above</source>
        <translation>Añada líneas de información en el cuadro de texto de arriba</translation>
    </message>
    <message>
        <source>Writing the header into the part file...</source>
        <translation>Escribiendo la cabecera en el archivo de pieza...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The header was written, but your answers could not be saved for next time:
</source>
        <translation>La cabecera se escribió, pero sus respuestas no se pudieron guardar para la próxima vez:
</translation>
    </message>
    <message>
        <source>The Headsmith help file could not be opened:
%1

%2</source>
        <translation>No se pudo abrir el archivo de ayuda de Headsmith:
%1

%2</translation>
    </message>
    <message>
        <source>Corvane Headsmith help</source>
        <translation>Ayuda de Corvane Headsmith</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>No header file will be added</source>
        <translation>No se añadirá ningún archivo de apertura</translation>
    </message>
    <message>
        <source>No footer file will be added</source>
        <translation>No se añadirá ningún archivo de cierre</translation>
    </message>
</context>
<context>
    <name>InlineCommentDialog</name>
    <message>
        <source>Add an inline Comment</source>
        <translation>Añadir un comentario al final de la línea</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>InputAnswersTable</name>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Answers the dry run gives to INPUT lines; type a number, or clear it for none</source>
        <translation>Respuestas que la simulación da a las líneas INPUT; escriba un número, o bórrelo para no dar ninguna</translation>
    </message>
    <message>
        <source>The answer for %1, wherever it is asked</source>
        <translation>La respuesta para %1, dondequiera que se pregunte</translation>
    </message>
    <message>
        <source>The run used %1</source>
        <translation>La ejecución usó %1</translation>
    </message>
</context>
<context>
    <name>JobSheet</name>
    <message>
        <source>Line %1</source>
        <translation>Línea %1</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, línea %2</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Created by</source>
        <translation>Creado por</translation>
    </message>
    <message>
        <source>%1, on %2</source>
        <translation>%1, el %2</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Blank</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Espesor</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation>Fresa</translation>
    </message>
    <message>
        <source>Z zero</source>
        <translation>Cero de Z</translation>
    </message>
    <message>
        <source>Offset mode</source>
        <translation>Modo offset</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>%1 offset</source>
        <translation>Offset %1</translation>
    </message>
    <message>
        <source>%1 offset: move to %2 before cutting</source>
        <translation>Offset %1: mover a %2 antes de cortar</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notas</translation>
    </message>
    <message>
        <source>%1: sets nothing</source>
        <translation>%1: no asigna nada</translation>
    </message>
    <message>
        <source>%1: answer used %2</source>
        <translation>%1: se usó la respuesta %2</translation>
    </message>
    <message>
        <source>%1: no answer given, the run took 0</source>
        <translation>%1: sin respuesta, la ejecución usó 0</translation>
    </message>
    <message numerus="yes">
        <source>(reached %n times)</source>
        <translation>
            <numerusform>(alcanzada %n vez)</numerusform>
            <numerusform>(alcanzada %n veces)</numerusform>
        </translation>
    </message>
    <message>
        <source>The run stopped at the step limit; the time covers only what ran before it.</source>
        <translation>La ejecución se detuvo en el límite de pasos; el tiempo solo cubre lo ejecutado antes.</translation>
    </message>
    <message>
        <source>Job sheet: %1</source>
        <translation>Hoja de trabajo: %1</translation>
    </message>
    <message>
        <source>Made on %1</source>
        <translation>Creada el %1</translation>
    </message>
    <message>
        <source>The program has changes that are not saved yet: this sheet shows it as Save will write it.</source>
        <translation>El programa tiene cambios aún sin guardar: esta hoja lo muestra tal como lo escribirá Guardar.</translation>
    </message>
    <message>
        <source>From the header</source>
        <translation>De la cabecera</translation>
    </message>
    <message>
        <source>Toolpath seen from the top</source>
        <translation>Trayectoria vista desde arriba</translation>
    </message>
    <message>
        <source>The dry run</source>
        <translation>La simulación</translation>
    </message>
    <message>
        <source>Estimated time</source>
        <translation>Tiempo estimado</translation>
    </message>
    <message>
        <source>Extent</source>
        <translation>Recorrido</translation>
    </message>
    <message>
        <source>nothing moves</source>
        <translation>nada se mueve</translation>
    </message>
    <message>
        <source>Extent %1</source>
        <translation>Recorrido en %1</translation>
    </message>
    <message>
        <source>Stops for the operator</source>
        <translation>Paradas para el operario</translation>
    </message>
    <message>
        <source>Lines not simulated</source>
        <translation>Líneas no simuladas</translation>
    </message>
    <message>
        <source>The part file, line by line</source>
        <translation>El archivo de pieza, línea por línea</translation>
    </message>
    <message>
        <source>None.</source>
        <translation>Ninguno.</translation>
    </message>
    <message>
        <source>The dry run draws no path.</source>
        <translation>La simulación no dibuja ninguna trayectoria.</translation>
    </message>
    <message numerus="yes">
        <source>… %n lines …</source>
        <translation>
            <numerusform>… %n línea …</numerusform>
            <numerusform>… %n líneas …</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>The job sheet could not be written to &quot;%1&quot;: %2</source>
        <translation>No se pudo escribir la hoja de trabajo en &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The job sheet could not be written to &quot;%1&quot;.</source>
        <translation>No se pudo escribir la hoja de trabajo en &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>Aviso: %1</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>XY %1, Z %2, A %3, B %4</source>
        <translation>XY %1, Z %2, A %3, B %4</translation>
    </message>
    <message>
        <source>V bit of %1°, %2 at its widest</source>
        <translation>fresa en V de %1°, %2 en su parte más ancha</translation>
    </message>
    <message>
        <source>ball end mill of %1</source>
        <translation>fresa de punta esférica de %1</translation>
    </message>
    <message>
        <source>flat end mill of %1</source>
        <translation>fresa plana de %1</translation>
    </message>
    <message>
        <source>from the header</source>
        <translation>de la cabecera</translation>
    </message>
    <message>
        <source>from the settings</source>
        <translation>de la configuración</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 x %2</source>
        <translation>%1 x %2</translation>
    </message>
    <message>
        <source>%1 thick</source>
        <translation>%1 de espesor</translation>
    </message>
    <message>
        <source>none given: the cuts are not checked against one</source>
        <translation>no se indica: los cortes no se comprueban respecto a ningún tablero</translation>
    </message>
    <message>
        <source>%1, Z zero on %2 (%3)</source>
        <translation>%1, cero de Z en %2 (%3)</translation>
    </message>
    <message>
        <source>the table</source>
        <translation>la mesa</translation>
    </message>
    <message>
        <source>its top</source>
        <translation>su superficie</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Mesa</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Moves at the start</source>
        <translation>Movimientos al inicio</translation>
    </message>
    <message>
        <source>Jogs at the start</source>
        <translation>Jogs al inicio</translation>
    </message>
    <message>
        <source>off: every segment at its full speed from end to end</source>
        <translation>desactivada: cada segmento a plena velocidad de principio a fin</translation>
    </message>
    <message>
        <source>on: XY %1, Z %2, A and B %3; calibration factor %4</source>
        <translation>activada: XY %1, Z %2, A y B %3; factor de calibración %4</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Aceleración</translation>
    </message>
    <message>
        <source>none given, 0 used</source>
        <translation>sin respuesta, se usó 0</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>y %n más</numerusform>
            <numerusform>y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>INPUT answers</source>
        <translation>Respuestas a INPUT</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Avisos</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more, not listed here.</source>
        <translation>
            <numerusform>… y %n más, que no se muestra aquí.</numerusform>
            <numerusform>… y %n más, que no se muestran aquí.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JobSheetCommands</name>
    <message>
        <source>&amp;Export Job Sheet (PDF)…</source>
        <translation>&amp;Exportar hoja de trabajo (PDF)…</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>Im&amp;primir…</translation>
    </message>
    <message>
        <source>Job sheet: %1</source>
        <translation>Hoja de trabajo: %1</translation>
    </message>
    <message>
        <source>Print Job Sheet</source>
        <translation>Imprimir hoja de trabajo</translation>
    </message>
    <message>
        <source>The job sheet could not be printed: the printer could not be started.</source>
        <translation>No se pudo imprimir la hoja de trabajo: no se pudo iniciar la impresora.</translation>
    </message>
    <message>
        <source>Print failed</source>
        <translation>Error al imprimir</translation>
    </message>
    <message>
        <source>Export Job Sheet</source>
        <translation>Exportar hoja de trabajo</translation>
    </message>
    <message>
        <source>PDF files|*.pdf</source>
        <translation>Archivos PDF|*.pdf</translation>
    </message>
    <message>
        <source>The job sheet cannot take the part file&apos;s place:
%1

Choose another name.</source>
        <translation>La hoja de trabajo no puede ocupar el lugar del archivo de pieza:
%1

Elija otro nombre.</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Error al exportar</translation>
    </message>
    <message>
        <source>The file
%1
exists already. Replace it with the job sheet?</source>
        <translation>El archivo
%1
ya existe. ¿Quiere reemplazarlo por la hoja de trabajo?</translation>
    </message>
    <message>
        <source>Replace file?</source>
        <translation>¿Reemplazar el archivo?</translation>
    </message>
    <message>
        <source>Job sheet written to %1</source>
        <translation>Hoja de trabajo guardada en %1</translation>
    </message>
</context>
<context>
    <name>KeptStatus</name>
    <message>
        <source>Lines Headsmith keeps beside the program; click to show them in the Part File Text pane</source>
        <translation>Líneas que Headsmith guarda junto al programa; haga clic para mostrarlas en el panel Texto del archivo de pieza</translation>
    </message>
    <message>
        <source>Header: %1 lines</source>
        <translation>Cabecera: %1 líneas</translation>
    </message>
    <message>
        <source>Closing block: %1 lines</source>
        <translation>Bloque de cierre: %1 líneas</translation>
    </message>
</context>
<context>
    <name>MainActions</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Vaciar</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>Archivos rec&amp;ientes</translation>
    </message>
    <message>
        <source>E&amp;Xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modo</translation>
    </message>
    <message>
        <source>&amp;Basic</source>
        <translation>&amp;Básico</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <translation>&amp;Avanzado</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;RightClick</source>
        <translation>&amp;Clic derecho</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>E&amp;liminar</translation>
    </message>
    <message>
        <source>Save as &amp;Template...</source>
        <translation>Guardar como plan&amp;tilla...</translation>
    </message>
    <message>
        <source>Save a &amp;copy to resume from this line...</source>
        <translation>Guardar una copia para &amp;reanudar desde esta línea...</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Insertar</translation>
    </message>
    <message>
        <source>&amp;Template...</source>
        <translation>&amp;Plantilla...</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>Trace the &amp;outline...</source>
        <translation>&amp;Recorrer el contorno...</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>A part file holds at most 100 lines, and a GOSUB needs room for three more. Nothing was added.</source>
        <translation>Un archivo de pieza admite como máximo 100 líneas, y un GOSUB necesita sitio para tres más. No se añadió nada.</translation>
    </message>
    <message>
        <source>A part file holds at most 100 lines, and this one is full. Nothing was added.</source>
        <translation>Un archivo de pieza admite como máximo 100 líneas, y este está lleno. No se añadió nada.</translation>
    </message>
    <message>
        <source>The limit for this kind of line is reached. Nothing was added.</source>
        <translation>Se alcanzó el límite para este tipo de línea. No se añadió nada.</translation>
    </message>
    <message>
        <source>The program panel has no row left below the last line. Drag the last line up onto an empty row, or save and start a new part file. Nothing was added.</source>
        <translation>No queda ninguna fila libre en el panel del programa debajo de la última línea. Arrastre la última línea hacia arriba a una fila vacía, o guarde y empiece un nuevo archivo de pieza. No se añadió nada.</translation>
    </message>
    <message>
        <source>Corvane Part File Stacker</source>
        <translation>Corvane Part File Stacker</translation>
    </message>
    <message>
        <source>No room for another line</source>
        <translation>No hay sitio para otra línea</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this command line?</source>
        <translation>¿Seguro que quiere eliminar esta línea de comando?</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>¿Está seguro?</translation>
    </message>
    <message>
        <source>%1    Modified</source>
        <translation>%1    Modificado</translation>
    </message>
    <message>
        <source>Show the problems the checker found</source>
        <translation>Mostrar los problemas encontrados por la comprobación</translation>
    </message>
    <message>
        <source>&amp;Problems</source>
        <translation>&amp;Problemas</translation>
    </message>
    <message>
        <source>Part File &amp;Text</source>
        <translation>&amp;Texto del archivo de pieza</translation>
    </message>
    <message>
        <source>T&amp;oolpath</source>
        <translation>T&amp;rayectoria</translation>
    </message>
    <message>
        <source>Te&amp;mplates</source>
        <translation>P&amp;lantillas</translation>
    </message>
</context>
<context>
    <name>Measure</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>pulgadas</translation>
    </message>
    <message>
        <source>millimetres</source>
        <translation>milímetros</translation>
    </message>
</context>
<context>
    <name>OutlineDialog</name>
    <message>
        <source>Trace the outline</source>
        <translation>Recorrer el contorno</translation>
    </message>
    <message>
        <source>Jogs up to the safe Z, then around the rectangle the program&apos;s moves cover.</source>
        <translation>Sube en jog hasta la Z segura y luego recorre el rectángulo que cubren los movimientos del programa.</translation>
    </message>
    <message>
        <source>&amp;Safe Z:</source>
        <translation>Z &amp;segura:</translation>
    </message>
    <message>
        <source>&amp;Insert the lines after line %1</source>
        <translation>&amp;Insertar las líneas después de la línea %1</translation>
    </message>
    <message>
        <source>&amp;Insert the lines at the end of the program</source>
        <translation>&amp;Insertar las líneas al final del programa</translation>
    </message>
    <message>
        <source>Save them as a separate &amp;part file...</source>
        <translation>Guardarlas como un &amp;archivo de pieza aparte...</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>PartDocument</name>
    <message>
        <source>The file was changed by another program since it was read or last saved here; nothing was written.</source>
        <translation>Otro programa modificó el archivo después de que se leyera o se guardara aquí por última vez; no se escribió nada.</translation>
    </message>
</context>
<context>
    <name>ProblemsPane</name>
    <message>
        <source>Problems</source>
        <translation>Problemas</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problema</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more, not listed here</source>
        <translation>
            <numerusform>… y %n más, que no se muestra aquí</numerusform>
            <numerusform>… y %n más, que no se muestran aquí</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProgramTextPane</name>
    <message>
        <source>Part File Text</source>
        <translation>Texto del archivo de pieza</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not there.</source>
        <translation>El archivo &quot;%1&quot; no existe.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read.</source>
        <translation>No se puede leer el archivo &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ProgramTextView</name>
    <message>
        <source>… %1 lines …</source>
        <translation>… %1 líneas …</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un dispositivo</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>una tubería con nombre (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>algo que no es un archivo normal</translation>
    </message>
    <message>
        <source>a link that leads round in a circle</source>
        <translation>un enlace circular</translation>
    </message>
    <message>
        <source>%1 is %2, not a regular file, and only a regular file is ever replaced.</source>
        <translation>%1 es %2, no un archivo normal, y solo se reemplazan archivos normales.</translation>
    </message>
    <message>
        <source>%1 is a link to %2, which is %3, not a regular file, and only a regular file is ever replaced.</source>
        <translation>%1 es un enlace a %2, que es %3, no un archivo normal, y solo se reemplazan archivos normales.</translation>
    </message>
    <message>
        <source>It is %1, not a regular file.</source>
        <translation>Es %1, no un archivo normal.</translation>
    </message>
    <message>
        <source>No such file: it may have been moved, renamed or deleted.</source>
        <translation>No existe ese archivo: puede que se haya movido, renombrado o eliminado.</translation>
    </message>
</context>
<context>
    <name>ResumePassDialog</name>
    <message>
        <source>Pass %1: at %2, tool at X %3  Y %4  Z %5</source>
        <translation>Pasada %1: tiempo %2, herramienta en X %3  Y %4  Z %5</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n más</numerusform>
            <numerusform>%n más</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume from which pass?</source>
        <translation>¿Desde qué pasada reanudar?</translation>
    </message>
    <message>
        <source>The dry run reaches line %1 %2 times in all.</source>
        <translation>La simulación llega a la línea %1 %2 veces en total.</translation>
    </message>
    <message>
        <source>Only the first %1 are listed; the copy can start at one of these.</source>
        <translation>Solo se muestran las %1 primeras; la copia puede empezar en una de ellas.</translation>
    </message>
    <message>
        <source>Choose the pass the machine stopped in: the copy sets the machine and the variables as they stood when that pass reached the line, and goes on from there.</source>
        <translation>Elija la pasada en la que se detuvo la máquina: la copia deja la máquina y las variables como estaban cuando esa pasada llegó a la línea, y continúa desde ahí.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>Runner</name>
    <message>
        <source>Not simulated: %1</source>
        <translation>No se simula: %1</translation>
    </message>
    <message>
        <source>Not simulated: the %1 value &quot;%2&quot; cannot be evaluated: %3.</source>
        <translation>No se simula: el valor de %1 &quot;%2&quot; no se puede evaluar: %3.</translation>
    </message>
    <message>
        <source>No line of this file is the label &quot;%1&quot;; the run goes on with the next line.</source>
        <translation>Ninguna línea de este archivo es la etiqueta &quot;%1&quot;; la simulación sigue con la línea siguiente.</translation>
    </message>
    <message>
        <source>RETURN without a GOSUB before it: this file ends here.</source>
        <translation>RETURN sin un GOSUB antes: este archivo termina aquí.</translation>
    </message>
    <message>
        <source>No answer is given for this INPUT; the run takes 0 for &amp;%1.</source>
        <translation>No se ha dado ninguna respuesta para este INPUT; la simulación toma 0 para &amp;%1.</translation>
    </message>
    <message>
        <source>File calls nest deeper than %1 files; this call is skipped.</source>
        <translation>Las llamadas a archivos se anidan en más de %1 archivos; se omite esta llamada.</translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; cannot be read (%2); the run goes on with the next line.</source>
        <translation>No se puede leer el archivo llamado &quot;%1&quot; (%2); la simulación sigue con la línea siguiente.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is running already, so this call would never end; it is skipped.</source>
        <translation>&quot;%1&quot; ya se está ejecutando, así que esta llamada no terminaría nunca; se omite.</translation>
    </message>
    <message>
        <source>The offset mode &quot;%1&quot; is none of 0, 2 and 1; the file runs without an offset.</source>
        <translation>El modo de offset &quot;%1&quot; no es ninguno de 0, 2 y 1; el archivo se ejecuta sin offset.</translation>
    </message>
    <message>
        <source>line %1 (%2 times)</source>
        <translation>línea %1 (%2 veces)</translation>
    </message>
    <message>
        <source>%1 line %2 (%3 times)</source>
        <translation>%1, línea %2 (%3 veces)</translation>
    </message>
    <message>
        <source>The run stopped after %1 lines, the step limit, as if it looped without end. Of the last %2 lines, these ran most: %3.</source>
        <translation>La simulación se detuvo tras %1 líneas, el límite de pasos, como si estuviera en un bucle sin fin. De las últimas %2 líneas, estas fueron las que más se ejecutaron: %3.</translation>
    </message>
    <message>
        <source>The label &quot;%1&quot; is defined again; jumps go to line %2.</source>
        <translation>La etiqueta &quot;%1&quot; se define otra vez; los saltos van a la línea %2.</translation>
    </message>
    <message>
        <source>the IF line has no THEN.</source>
        <translation>la línea IF no tiene THEN.</translation>
    </message>
    <message>
        <source>the IF test &quot;%1&quot; compares nothing (= &lt; &gt; &lt;= &gt;= &lt;&gt;).</source>
        <translation>la condición del IF &quot;%1&quot; no compara nada (= &lt; &gt; &lt;= &gt;= &lt;&gt;).</translation>
    </message>
    <message>
        <source>the %1 line names no label.</source>
        <translation>la línea %1 no nombra ninguna etiqueta.</translation>
    </message>
    <message>
        <source>a jump to the label a variable holds (%1) cannot be followed.</source>
        <translation>no se puede seguir un salto a la etiqueta que contiene una variable (%1).</translation>
    </message>
    <message>
        <source>The text &quot;%1&quot; after %2 is not read.</source>
        <translation>El texto &quot;%1&quot; después de %2 no se lee.</translation>
    </message>
    <message>
        <source>the Variable line needs a name and a value.</source>
        <translation>la línea de variable necesita un nombre y un valor.</translation>
    </message>
    <message>
        <source>the dry run does not know this command.</source>
        <translation>la simulación no conoce este comando.</translation>
    </message>
    <message>
        <source>the file call names no file.</source>
        <translation>la llamada a archivo no nombra ningún archivo.</translation>
    </message>
    <message>
        <source>the file name &quot;%1&quot; holds a variable.</source>
        <translation>el nombre de archivo &quot;%1&quot; contiene una variable.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a Windows path, which cannot be reached here.</source>
        <translation>&quot;%1&quot; es una ruta de Windows, a la que no se puede acceder aquí.</translation>
    </message>
    <message>
        <source>nothing reads files</source>
        <translation>no hay nada que lea archivos</translation>
    </message>
    <message>
        <source>The setting %1 (%2) is no usable speed; %3 is used.</source>
        <translation>El ajuste %1 (%2) no es una velocidad utilizable; se usa %3.</translation>
    </message>
    <message>
        <source>The acceleration %1 is no usable value; those axes are timed without it.</source>
        <translation>La aceleración %1 no es un valor utilizable; el tiempo de esos ejes se calcula sin ella.</translation>
    </message>
    <message>
        <source>The calibration %1 is no usable factor; 1 is used.</source>
        <translation>La calibración %1 no es un factor utilizable; se usa 1.</translation>
    </message>
    <message>
        <source>The tool goes outside the table, to X %1, Y %2.</source>
        <translation>La herramienta sale de la mesa, hasta X %1, Y %2.</translation>
    </message>
    <message>
        <source>This GOSUB would wait for more than %1 RETURNs at once, a subroutine that calls itself without end; the run stops here.</source>
        <translation>Este GOSUB esperaría más de %1 RETURN a la vez, una subrutina que se llama a sí misma sin fin; la simulación se detiene aquí.</translation>
    </message>
    <message>
        <source>PAUSE %1 is below 0 or above %2 seconds, beyond any wait; no time is added.</source>
        <translation>PAUSE %1 es menor que 0 o mayor que %2 segundos, más allá de cualquier espera; no se añade tiempo.</translation>
    </message>
    <message>
        <source>The run stopped after %1 lines, the step limit, at this line; no line ran twice, so the program is longer than the limit rather than a loop.</source>
        <translation>La simulación se detuvo tras %1 líneas, el límite de pasos, en esta línea; ninguna línea se ejecutó dos veces, así que el programa es más largo que el límite, no un bucle.</translation>
    </message>
    <message>
        <source>The %1 %2 is not above 0 (or above %3, beyond any machine); it stays %4.</source>
        <translation>La %1 %2 no es mayor que 0 (o es mayor que %3, más de lo que alcanza cualquier máquina); se mantiene en %4.</translation>
    </message>
    <message>
        <source>the %1 position %2 is beyond %3 either way, where no machine reaches.</source>
        <translation>la posición %1 %2 supera %3 en uno u otro sentido, adonde no llega ninguna máquina.</translation>
    </message>
    <message>
        <source>The step limit %1 is above the most lines a run executes; %2 is used.</source>
        <translation>El límite de pasos %1 supera el máximo de líneas que ejecuta una simulación; se usa %2.</translation>
    </message>
    <message>
        <source>The %1 %2 is no usable size; the run checks nothing against it.</source>
        <translation>El %1 %2 no es una medida utilizable; la simulación no comprueba nada respecto a él.</translation>
    </message>
    <message>
        <source>The bit&apos;s edge goes %1 outside the %2 x %3 blank during a cut, at X %4, Y %5.</source>
        <translation>El borde de la fresa sale %1 fuera del tablero de %2 x %3 durante un corte, en X %4, Y %5.</translation>
    </message>
    <message>
        <source>The V bit cuts %1 deep, deeper than its cone is tall (%2): its shank would cut.</source>
        <translation>La fresa en V corta a %1 de profundidad, más de lo que mide de alto su cono (%2): cortaría su vástago.</translation>
    </message>
    <message>
        <source>The bit&apos;s tip goes below the table top, to Z %1 (the table top is at Z %2).</source>
        <translation>La punta de la fresa baja por debajo de la superficie de la mesa, hasta Z %1 (la superficie de la mesa está en Z %2).</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 es un archivo, no una carpeta.</translation>
    </message>
    <message>
        <source>The folder %1 cannot exist: %2 is a file, not a folder.</source>
        <translation>La carpeta %1 no puede existir: %2 es un archivo, no una carpeta.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>La carpeta %1 no existe.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>The file name is longer than the system allows (%1 characters).</source>
        <translation>El nombre de archivo es más largo de lo que permite el sistema (%1 caracteres).</translation>
    </message>
    <message>
        <source>The path is longer than the system allows (%1 characters).</source>
        <translation>La ruta es más larga de lo que permite el sistema (%1 caracteres).</translation>
    </message>
    <message>
        <source>The file name is too long to be saved safely: the new content is first written under a temporary name %1 characters longer, and that name would pass the system&apos;s limit of %2 characters for a file name. Choose a shorter name.</source>
        <translation>El nombre de archivo es demasiado largo para guardar con seguridad: el contenido nuevo se escribe primero con un nombre temporal %1 caracteres más largo, y ese nombre superaría el límite del sistema de %2 caracteres por nombre de archivo. Elija un nombre más corto.</translation>
    </message>
    <message>
        <source>The path is too long to be saved safely: the new content is first written under a temporary name %1 characters longer, and its path would pass the system&apos;s limit of %2 characters. Choose a shorter name or a folder nearer the top of the drive.</source>
        <translation>La ruta es demasiado larga para guardar con seguridad: el contenido nuevo se escribe primero con un nombre temporal %1 caracteres más largo, y su ruta superaría el límite del sistema de %2 caracteres. Elija un nombre más corto o una carpeta más cercana a la raíz de la unidad.</translation>
    </message>
    <message>
        <source>The new content could not take the place of the old file (%1).</source>
        <translation>El contenido nuevo no pudo ocupar el lugar del archivo anterior (%1).</translation>
    </message>
    <message>
        <source>%1 has other hard links; saving would separate them, and the other names would keep the old content. Save under another name, or remove the other links first.</source>
        <translation>%1 tiene otros enlaces físicos; al guardar se separarían y los otros nombres conservarían el contenido anterior. Guarde con otro nombre o elimine antes los otros enlaces.</translation>
    </message>
    <message>
        <source>The new content could not be given the owner and group of the old file (%1).</source>
        <translation>No se pudo asignar al nuevo contenido el propietario y el grupo del archivo anterior (%1).</translation>
    </message>
    <message>
        <source>%1 is read-only. Clear &quot;Read-only&quot; in its Properties, or save under another name.</source>
        <translation>%1 es de solo lectura. Desmarque &quot;Solo lectura&quot; en sus Propiedades o guárdelo con otro nombre.</translation>
    </message>
    <message>
        <source>%1 is open in another program, which does not let it be replaced. Close it there, then save again.</source>
        <translation>%1 está abierto en otro programa, que no deja reemplazarlo. Ciérrelo allí y vuelva a guardar.</translation>
    </message>
</context>
<context>
    <name>SaveTemplateDialog</name>
    <message>
        <source>Save as Template</source>
        <translation>Guardar como plantilla</translation>
    </message>
    <message>
        <source>to</source>
        <translation>a</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>Se guarda en %1</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nombre:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Descripción:</translation>
    </message>
    <message>
        <source>&amp;Lines:</source>
        <translation>&amp;Líneas:</translation>
    </message>
    <message>
        <source>Parameters: numbers asked for when the template is inserted</source>
        <translation>Parámetros: números que se piden al insertar la plantilla</translation>
    </message>
    <message>
        <source>These lines set no variable.</source>
        <translation>Estas líneas no asignan ninguna variable.</translation>
    </message>
    <message>
        <source>The text the form shows beside the box for &amp;%1</source>
        <translation>El texto que el formulario muestra junto a la casilla de &amp;%1</translation>
    </message>
    <message>
        <source>&amp;%1 is first set to something other than a number, or after a label, a jump or an IF, so it stays as the lines set it.</source>
        <translation>&amp;%1 recibe primero un valor que no es un número, o lo recibe después de una etiqueta, un salto o un IF, así que se queda como lo asignan las líneas.</translation>
    </message>
</context>
<context>
    <name>TemplateActions</name>
    <message>
        <source>No room for the template</source>
        <translation>No hay sitio para la plantilla</translation>
    </message>
    <message>
        <source>A part file holds at most 100 lines, and this one is full. Nothing was inserted.</source>
        <translation>Un archivo de pieza tiene como máximo 100 líneas, y este está lleno. No se insertó nada.</translation>
    </message>
    <message>
        <source>Template not inserted</source>
        <translation>Plantilla no insertada</translation>
    </message>
    <message>
        <source>The template gives %1 lines, but a part file holds at most %2 lines: %3 more fit in this one. Nothing was inserted.</source>
        <translation>La plantilla da %1 líneas, pero un archivo de pieza tiene como máximo %2 líneas: en este caben %3 más. No se insertó nada.</translation>
    </message>
    <message>
        <source>The template gives %1 lines, but the program panel has rows for %2 more there. Drag the last line up onto an empty row and try again. Nothing was inserted.</source>
        <translation>La plantilla da %1 líneas, pero el panel del programa solo tiene filas para %2 más en ese punto. Arrastre la última línea hacia arriba a una fila vacía e inténtelo de nuevo. No se insertó nada.</translation>
    </message>
    <message>
        <source>The limit for one kind of line would be passed. Nothing was inserted.</source>
        <translation>Se superaría el límite para un tipo de línea. No se insertó nada.</translation>
    </message>
    <message>
        <source>There is a template called %1 already. Replace it?</source>
        <translation>Ya hay una plantilla llamada %1. ¿Quiere reemplazarla?</translation>
    </message>
    <message>
        <source>Replace the template?</source>
        <translation>¿Reemplazar la plantilla?</translation>
    </message>
    <message>
        <source>The template could not be saved.

%1</source>
        <translation>No se pudo guardar la plantilla.

%1</translation>
    </message>
    <message>
        <source>Template not saved</source>
        <translation>Plantilla no guardada</translation>
    </message>
    <message>
        <source>Template %1 saved in %2</source>
        <translation>Plantilla %1 guardada en %2</translation>
    </message>
    <message>
        <source>The template would replace the part file itself:
%1

Nothing was saved.</source>
        <translation>La plantilla reemplazaría el propio archivo de pieza:
%1

No se guardó nada.</translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>Insert a Template</source>
        <translation>Insertar una plantilla</translation>
    </message>
    <message>
        <source>&amp;Template:</source>
        <translation>&amp;Plantilla:</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Insertar</translation>
    </message>
    <message>
        <source>The value of %1 is not a number.</source>
        <translation>El valor de %1 no es un número.</translation>
    </message>
    <message>
        <source>The values of %1 are not numbers.</source>
        <translation>Los valores de %1 no son números.</translation>
    </message>
    <message>
        <source>Inserts %1 lines after line %2.</source>
        <translation>Inserta %1 líneas después de la línea %2.</translation>
    </message>
    <message>
        <source>Inserts %1 lines at the end of the program.</source>
        <translation>Inserta %1 líneas al final del programa.</translation>
    </message>
    <message>
        <source>&amp;%1: %2</source>
        <translation>&amp;%1: %2</translation>
    </message>
</context>
<context>
    <name>TemplatesDock</name>
    <message>
        <source>Templates</source>
        <translation>Plantillas</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Plantilla</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Comes with the program.</source>
        <translation>Incluida con el programa.</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Archivo: %1</translation>
    </message>
    <message>
        <source>Not a template: %1</source>
        <translation>No es una plantilla: %1</translation>
    </message>
</context>
<context>
    <name>TextFieldDialog</name>
    <message>
        <source>Done</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>X axis</source>
        <translation>Eje X</translation>
    </message>
    <message>
        <source>Y axis</source>
        <translation>Eje Y</translation>
    </message>
    <message>
        <source>Z axis</source>
        <translation>Eje Z</translation>
    </message>
    <message>
        <source>A axis</source>
        <translation>Eje A</translation>
    </message>
    <message>
        <source>B axis</source>
        <translation>Eje B</translation>
    </message>
    <message>
        <source>X and Y-Axis Move Speed</source>
        <translation>Velocidad de movimiento X e Y</translation>
    </message>
    <message>
        <source>Z-Axis Move Speed</source>
        <translation>Velocidad de movimiento Z</translation>
    </message>
    <message>
        <source>A-Axis Move Speed</source>
        <translation>Velocidad de movimiento A</translation>
    </message>
    <message>
        <source>B-Axis Move Speed</source>
        <translation>Velocidad de movimiento B</translation>
    </message>
    <message>
        <source>X and Y-Axis Jog Speed</source>
        <translation>Velocidad de jog X e Y</translation>
    </message>
    <message>
        <source>Z-Axis Jog Speed</source>
        <translation>Velocidad de jog Z</translation>
    </message>
    <message>
        <source>A-Axis Jog Speed</source>
        <translation>Velocidad de jog A</translation>
    </message>
    <message>
        <source>B-Axis Jog Speed</source>
        <translation>Velocidad de jog B</translation>
    </message>
    <message>
        <source>IF</source>
        <translation>IF</translation>
    </message>
    <message>
        <source>THEN</source>
        <translation>THEN</translation>
    </message>
    <message>
        <source>GOTO</source>
        <translation>GOTO</translation>
    </message>
    <message>
        <source>Variable name</source>
        <translation>Nombre de la variable</translation>
    </message>
    <message>
        <source>Starting Value</source>
        <translation>Valor inicial</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>[M]ove command settings</source>
        <translation>Ajustes del comando [M]over</translation>
    </message>
    <message>
        <source>[J]og settings</source>
        <translation>Ajustes de [J]og</translation>
    </message>
    <message>
        <source>Speed settings</source>
        <translation>Ajustes de velocidad</translation>
    </message>
    <message>
        <source>IF..THEN command setup</source>
        <translation>Configuración del comando IF..THEN</translation>
    </message>
    <message>
        <source>Label name</source>
        <translation>Nombre de la etiqueta</translation>
    </message>
    <message>
        <source>GOTO label</source>
        <translation>Etiqueta de GOTO</translation>
    </message>
    <message>
        <source>GoSub label</source>
        <translation>Etiqueta de GoSub</translation>
    </message>
    <message>
        <source>Variable declaration</source>
        <translation>Declaración de variable</translation>
    </message>
    <message>
        <source>INPUT command</source>
        <translation>Comando INPUT</translation>
    </message>
    <message>
        <source>Pause duration</source>
        <translation>Duración de la pausa</translation>
    </message>
    <message>
        <source>Comment text</source>
        <translation>Texto del comentario</translation>
    </message>
    <message>
        <source>Blank command</source>
        <translation>Comando libre</translation>
    </message>
</context>
<context>
    <name>Toolbox</name>
    <message>
        <source>[M]oves</source>
        <translation>[M]over</translation>
    </message>
    <message>
        <source>Call a Part File</source>
        <translation>Llamar archivo</translation>
    </message>
    <message>
        <source>IF..THEN</source>
        <translation>IF..THEN</translation>
    </message>
    <message>
        <source>Label for GOTO</source>
        <translation>Etiqueta GOTO</translation>
    </message>
    <message>
        <source>GOSUB</source>
        <translation>GOSUB</translation>
    </message>
    <message>
        <source>END</source>
        <translation>END</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>Define a Variable</source>
        <translation>Definir variable</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Coment.</translation>
    </message>
    <message>
        <source>GOTO</source>
        <translation>GOTO</translation>
    </message>
    <message>
        <source>Set Speeds</source>
        <translation>Fijar velocidad</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>INPUT</translation>
    </message>
    <message>
        <source>[J]ogs</source>
        <translation>[J]og</translation>
    </message>
    <message>
        <source>???</source>
        <translation>???</translation>
    </message>
    <message>
        <source>Toolbox</source>
        <translation>Comandos</translation>
    </message>
    <message>
        <source>Adds a move to a position</source>
        <translation>Añade un movimiento a una posición</translation>
    </message>
    <message>
        <source>Adds a call of another part file</source>
        <translation>Añade una llamada a otro archivo de pieza</translation>
    </message>
    <message>
        <source>Adds an IF..THEN test</source>
        <translation>Añade una condición IF..THEN</translation>
    </message>
    <message>
        <source>Adds a label for GOTO</source>
        <translation>Añade una etiqueta para GOTO</translation>
    </message>
    <message>
        <source>Adds a GOSUB with its label and RETURN</source>
        <translation>Añade un GOSUB con su etiqueta y su RETURN</translation>
    </message>
    <message>
        <source>Adds an END line</source>
        <translation>Añade una línea END</translation>
    </message>
    <message>
        <source>Adds a PAUSE</source>
        <translation>Añade un PAUSE</translation>
    </message>
    <message>
        <source>Adds a variable definition</source>
        <translation>Añade una definición de variable</translation>
    </message>
    <message>
        <source>Adds a comment line</source>
        <translation>Añade una línea de comentario</translation>
    </message>
    <message>
        <source>Adds a GOTO</source>
        <translation>Añade un GOTO</translation>
    </message>
    <message>
        <source>Adds a speed setting</source>
        <translation>Añade un ajuste de velocidad</translation>
    </message>
    <message>
        <source>Adds an INPUT prompt</source>
        <translation>Añade un mensaje INPUT</translation>
    </message>
    <message>
        <source>Adds a jog</source>
        <translation>Añade un jog</translation>
    </message>
    <message>
        <source>Type a command that isn&apos;t included yet</source>
        <translation>Escriba un comando que todavía no esté incluido</translation>
    </message>
</context>
<context>
    <name>ToolpathDock</name>
    <message>
        <source>Toolpath</source>
        <translation>Trayectoria</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Superior</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Frontal</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Lateral</translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Ajustar</translation>
    </message>
    <message>
        <source>Show the whole path (or double click the picture)</source>
        <translation>Mostrar toda la trayectoria (o haga doble clic en la imagen)</translation>
    </message>
    <message>
        <source>Computing…</source>
        <translation>Calculando…</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportar…</translation>
    </message>
    <message>
        <source>Save the picture as shown, as PNG or SVG</source>
        <translation>Guardar la imagen tal como se ve, en PNG o SVG</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configuración…</translation>
    </message>
    <message>
        <source>Speeds, the table, the blank and the run-time model of the dry run</source>
        <translation>Velocidades, la mesa, el tablero y el modelo de tiempo de ejecución de la simulación</translation>
    </message>
    <message>
        <source>&amp;View:</source>
        <translation>&amp;Vista:</translation>
    </message>
    <message>
        <source>Export Toolpath</source>
        <translation>Exportar trayectoria</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation>Imagen PNG (*.png);;Dibujo SVG (*.svg)</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Se guardó %1</translation>
    </message>
    <message>
        <source>Carved</source>
        <translation>Tallado</translation>
    </message>
    <message>
        <source>Carved 3D</source>
        <translation>Tallado 3D</translation>
    </message>
    <message>
        <source>Top: X right, Y up. Front: X right, Z up. Side: Y right, Z up. 3D: turn it with a right drag, or Shift and a left drag. Carved: the blank as the bit leaves it, from the top or in 3D.</source>
        <translation>Superior: X a la derecha, Y hacia arriba. Frontal: X a la derecha, Z hacia arriba. Lateral: Y a la derecha, Z hacia arriba. 3D: gírela arrastrando con el botón derecho, o con Mayús y arrastrando con el izquierdo. Tallado: el tablero tal como lo deja la fresa, desde arriba o en 3D.</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>The carved blank is saved as PNG only; %1 was not written.</source>
        <translation>El tablero tallado solo se guarda como PNG; no se escribió %1.</translation>
    </message>
    <message>
        <source>Nothing is carved to save: %1</source>
        <translation>No hay nada tallado que guardar: %1</translation>
    </message>
    <message>
        <source>%1 is the part file; the picture was not saved.</source>
        <translation>%1 es el archivo de pieza; la imagen no se guardó.</translation>
    </message>
</context>
<context>
    <name>ToolpathExport</name>
    <message>
        <source>The picture could not be written to &quot;%1&quot;: %2</source>
        <translation>No se pudo escribir la imagen en &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The picture could not be written to &quot;%1&quot;.</source>
        <translation>No se pudo escribir la imagen en &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ToolpathScene</name>
    <message>
        <source>The run has no moves to show.</source>
        <translation>La ejecución no tiene movimientos que mostrar.</translation>
    </message>
    <message>
        <source>No dry run yet.</source>
        <translation>Todavía no hay simulación.</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Movimiento</translation>
    </message>
    <message>
        <source>Jog</source>
        <translation>Jog</translation>
    </message>
    <message>
        <source>Header and closing block</source>
        <translation>Cabecera y bloque de cierre</translation>
    </message>
    <message>
        <source>Current line</source>
        <translation>Línea actual</translation>
    </message>
    <message>
        <source>Not reached yet</source>
        <translation>Aún no alcanzado</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Mesa</translation>
    </message>
    <message>
        <source>Blank</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <source>Depth (Z)</source>
        <translation>Profundidad (Z)</translation>
    </message>
</context>
<context>
    <name>ToolpathScrubber</name>
    <message>
        <source>Where in the run the tool is shown</source>
        <translation>Punto de la ejecución en el que se muestra la herramienta</translation>
    </message>
    <message>
        <source>Step back</source>
        <translation>Paso atrás</translation>
    </message>
    <message>
        <source>Step back one segment</source>
        <translation>Retroceder un segmento</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Play the run</source>
        <translation>Reproducir la ejecución</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Paso adelante</translation>
    </message>
    <message>
        <source>Step forward one segment</source>
        <translation>Avanzar un segmento</translation>
    </message>
    <message>
        <source>Where the tool is at this point of the run</source>
        <translation>Dónde está la herramienta en este punto de la ejecución</translation>
    </message>
    <message>
        <source>Time run up to this point, timed pauses included</source>
        <translation>Tiempo transcurrido hasta este punto, incluidas las pausas temporizadas</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>No moves</source>
        <translation>Sin movimientos</translation>
    </message>
</context>
<context>
    <name>ToolpathSummary</name>
    <message>
        <source>%1, line %2</source>
        <translation>%1, línea %2</translation>
    </message>
    <message>
        <source>How often the run stops for the operator (PAUSE and INPUT)</source>
        <translation>Cuántas veces se detiene la ejecución para el operador (PAUSE e INPUT)</translation>
    </message>
    <message>
        <source>The warnings are listed in Problems</source>
        <translation>Los avisos aparecen en Problemas</translation>
    </message>
    <message>
        <source>Lines the dry run could not simulate; click one to go to it</source>
        <translation>Líneas que no se pudieron simular; haga clic en una para ir a ella</translation>
    </message>
    <message>
        <source>Estimated time:</source>
        <translation>Tiempo estimado:</translation>
    </message>
    <message>
        <source>Extent:</source>
        <translation>Recorrido:</translation>
    </message>
    <message>
        <source>Segments:</source>
        <translation>Segmentos:</translation>
    </message>
    <message>
        <source>Stops:</source>
        <translation>Paradas:</translation>
    </message>
    <message>
        <source>Warnings:</source>
        <translation>Avisos:</translation>
    </message>
    <message>
        <source>Not simulated:</source>
        <translation>Sin simular:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>This run was cut short by a newer one; it shows what was done so far.</source>
        <translation>Una ejecución más reciente interrumpió esta; muestra lo hecho hasta ese momento.</translation>
    </message>
    <message>
        <source>The run stopped at the step limit; the estimate covers what ran.</source>
        <translation>La ejecución se detuvo en el límite de pasos; la estimación cubre lo que se ejecutó.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Time the current line takes over the whole run, each pass of a loop and its timed pauses included (h:mm:ss)</source>
        <translation>Tiempo que ocupa la línea actual en toda la ejecución, incluidas cada pasada de un bucle y sus pausas temporizadas (h:mm:ss)</translation>
    </message>
    <message>
        <source>Current line:</source>
        <translation>Línea actual:</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more lines not simulated</source>
        <translation>
            <numerusform>… y %n línea más sin simular</numerusform>
            <numerusform>… y %n líneas más sin simular</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ToolpathView</name>
    <message>
        <source>%1, line %2</source>
        <translation>%1, línea %2</translation>
    </message>
    <message>
        <source>(header)</source>
        <translation>(cabecera)</translation>
    </message>
    <message>
        <source>(closing block)</source>
        <translation>(bloque de cierre)</translation>
    </message>
    <message>
        <source>Wheel: zoom. Drag: move. Right drag or Shift+drag: turn. Double click: fit.</source>
        <translation>Rueda: zoom. Arrastrar: mover. Arrastrar con el botón derecho o Mayús+arrastrar: girar. Doble clic: ajustar.</translation>
    </message>
    <message>
        <source>Wheel: zoom. Drag: move. Double click: fit.</source>
        <translation>Rueda: zoom. Arrastrar: mover. Doble clic: ajustar.</translation>
    </message>
    <message>
        <source>Jog to X %1, Y %2, Z %3 at %4</source>
        <translation>Jog a X %1, Y %2, Z %3 a %4</translation>
    </message>
    <message>
        <source>Move to X %1, Y %2, Z %3 at %4</source>
        <translation>Movimiento a X %1, Y %2, Z %3 a %4</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>Edit Line</source>
        <translation>Editar línea</translation>
    </message>
    <message>
        <source>Delete Line</source>
        <translation>Eliminar línea</translation>
    </message>
    <message>
        <source>Move Line</source>
        <translation>Mover línea</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Add Line</source>
        <translation>Añadir línea</translation>
    </message>
    <message>
        <source>Add Move</source>
        <translation>Añadir movimiento</translation>
    </message>
    <message>
        <source>Add File Call</source>
        <translation>Añadir llamada a archivo</translation>
    </message>
    <message>
        <source>Add IF..THEN</source>
        <translation>Añadir IF..THEN</translation>
    </message>
    <message>
        <source>Add Label</source>
        <translation>Añadir etiqueta</translation>
    </message>
    <message>
        <source>Add GOSUB</source>
        <translation>Añadir GOSUB</translation>
    </message>
    <message>
        <source>Add END</source>
        <translation>Añadir END</translation>
    </message>
    <message>
        <source>Add PAUSE</source>
        <translation>Añadir PAUSE</translation>
    </message>
    <message>
        <source>Add Variable</source>
        <translation>Añadir variable</translation>
    </message>
    <message>
        <source>Add Comment</source>
        <translation>Añadir comentario</translation>
    </message>
    <message>
        <source>Add GOTO</source>
        <translation>Añadir GOTO</translation>
    </message>
    <message>
        <source>Add Speed</source>
        <translation>Añadir velocidad</translation>
    </message>
    <message>
        <source>Add INPUT</source>
        <translation>Añadir INPUT</translation>
    </message>
    <message>
        <source>Add Jog</source>
        <translation>Añadir jog</translation>
    </message>
    <message>
        <source>Add Command</source>
        <translation>Añadir comando</translation>
    </message>
    <message>
        <source>Insert Template</source>
        <translation>Insertar plantilla</translation>
    </message>
    <message>
        <source>Trace Outline</source>
        <translation>Recorrer el contorno</translation>
    </message>
</context>
<context>
    <name>UserSettings</name>
    <message>
        <source>The settings could not be composed.</source>
        <translation>No se pudo preparar la configuración.</translation>
    </message>
</context>
<context>
    <name>carve</name>
    <message>
        <source>A jog goes up to %1 %2 deep through material still there, first at X %3 %2, Y %4 %2: a rapid into the blank.</source>
        <translation>Un jog atraviesa hasta %1 %2 de profundidad de material todavía presente, primero en X %3 %2, Y %4 %2: un desplazamiento rápido dentro del tablero.</translation>
    </message>
</context>
<context>
    <name>checker</name>
    <message>
        <source>No Label line defines &quot;%1&quot;, so the router cannot jump there.</source>
        <translation>Ninguna línea de etiqueta define &quot;%1&quot;, así que la fresadora no puede saltar allí.</translation>
    </message>
    <message>
        <source>The label &quot;%1&quot; is already defined on line %2.</source>
        <translation>La etiqueta &quot;%1&quot; ya está definida en la línea %2.</translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; does not exist.</source>
        <translation>El archivo llamado &quot;%1&quot; no existe.</translation>
    </message>
    <message>
        <source>This %1 line still holds its dialog&apos;s prompt or an empty box.</source>
        <translation>Esta línea %1 todavía contiene el texto indicativo de su diálogo o un cuadro vacío.</translation>
    </message>
    <message>
        <source>The variable &quot;&amp;%1&quot; is used before any Variable or INPUT line sets it.</source>
        <translation>La variable &quot;&amp;%1&quot; se usa antes de que una línea de variable o INPUT le dé un valor.</translation>
    </message>
    <message>
        <source>No jump reaches this line: it comes after an END with no label that is jumped to in between.</source>
        <translation>Ningún salto llega a esta línea: está después de un END sin ninguna etiqueta intermedia a la que se salte.</translation>
    </message>
    <message>
        <source>The program jumps but has no END line, so it runs on into the lines it jumps to.</source>
        <translation>El programa tiene saltos pero no tiene ninguna línea END, así que sigue ejecutándose hasta entrar en las líneas a las que salta.</translation>
    </message>
    <message>
        <source>Nothing jumps to the label &quot;%1&quot;.</source>
        <translation>Ningún salto lleva a la etiqueta &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; is %2, not a part file.</source>
        <translation>El archivo llamado &quot;%1&quot; es %2, no un archivo de pieza.</translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; is a Windows path that cannot be checked here.</source>
        <translation>El archivo llamado &quot;%1&quot; es una ruta de Windows que no se puede comprobar aquí.</translation>
    </message>
    <message>
        <source>The %1 value of this %2 line is empty or only blanks, so the router does not move %1.</source>
        <translation>El valor %1 de esta línea %2 está vacío o solo tiene espacios, así que la fresadora no mueve el eje %1.</translation>
    </message>
    <message>
        <source>This line holds only blanks or tabs, which the eye cannot tell from an empty line.</source>
        <translation>Esta línea solo contiene espacios o tabulaciones, que a simple vista no se distinguen de una línea vacía.</translation>
    </message>
    <message>
        <source>This program does not know this command, so neither the checker nor the dry run follows it.</source>
        <translation>Este programa no conoce este comando, así que ni la comprobación ni la simulación lo siguen.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; cannot be evaluated: %2.</source>
        <translation>El valor &quot;%1&quot; no se puede evaluar: %2.</translation>
    </message>
    <message>
        <source>Lines of this file end in CR alone (the first is line %1 of the file); Save ends every line with CR LF, so the file will change.</source>
        <translation>Las líneas de este archivo terminan solo en CR (la primera es la línea %1 del archivo); Guardar termina cada línea con CR LF, así que el archivo cambiará.</translation>
    </message>
    <message>
        <source>Lines of this file end in LF alone (the first is line %1 of the file); Save ends every line with CR LF, so the file will change.</source>
        <translation>Las líneas de este archivo terminan solo en LF (la primera es la línea %1 del archivo); Guardar termina cada línea con CR LF, así que el archivo cambiará.</translation>
    </message>
    <message>
        <source>1 error</source>
        <translation>1 error</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 errores</translation>
    </message>
    <message>
        <source>1 warning</source>
        <translation>1 aviso</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 avisos</translation>
    </message>
    <message>
        <source>1 note</source>
        <translation>1 nota</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 notas</translation>
    </message>
</context>
<context>
    <name>dryrun</name>
    <message>
        <source>XY move speed</source>
        <translation>velocidad de movimiento XY</translation>
    </message>
    <message>
        <source>Z move speed</source>
        <translation>velocidad de movimiento Z</translation>
    </message>
    <message>
        <source>A move speed</source>
        <translation>velocidad de movimiento A</translation>
    </message>
    <message>
        <source>B move speed</source>
        <translation>velocidad de movimiento B</translation>
    </message>
    <message>
        <source>XY jog speed</source>
        <translation>velocidad de jog XY</translation>
    </message>
    <message>
        <source>Z jog speed</source>
        <translation>velocidad de jog Z</translation>
    </message>
    <message>
        <source>A jog speed</source>
        <translation>velocidad de jog A</translation>
    </message>
    <message>
        <source>B jog speed</source>
        <translation>velocidad de jog B</translation>
    </message>
    <message>
        <source>IF test&apos;s left</source>
        <translation>lado izquierdo de la prueba IF</translation>
    </message>
    <message>
        <source>IF test&apos;s right</source>
        <translation>lado derecho de la prueba IF</translation>
    </message>
    <message>
        <source>variable&apos;s</source>
        <translation>variable</translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation>PAUSE</translation>
    </message>
    <message>
        <source>header</source>
        <translation>cabecera</translation>
    </message>
    <message>
        <source>closing block</source>
        <translation>bloque de cierre</translation>
    </message>
    <message>
        <source>the dry run reads at most %1 lines (and %2 MiB) of a header or closing block</source>
        <translation>la simulación lee como máximo %1 líneas (y %2 MiB) de una cabecera o un bloque de cierre</translation>
    </message>
    <message>
        <source>lines %1 to %2 of the %3 were not read: %4.</source>
        <translation>no se leyeron las líneas %1 a %2 (%3): %4.</translation>
    </message>
    <message>
        <source>table width</source>
        <translation>ancho de la mesa</translation>
    </message>
    <message>
        <source>table depth</source>
        <translation>fondo de la mesa</translation>
    </message>
    <message>
        <source>blank width</source>
        <translation>ancho del tablero</translation>
    </message>
    <message>
        <source>blank length</source>
        <translation>largo del tablero</translation>
    </message>
    <message>
        <source>blank thickness</source>
        <translation>espesor del tablero</translation>
    </message>
</context>
<context>
    <name>dryrun::engine</name>
    <message>
        <source>no such file</source>
        <translation>no existe ese archivo</translation>
    </message>
    <message>
        <source>the lines from here on were not read: the dry run reads at most %1 MiB of a called file.</source>
        <translation>las líneas a partir de aquí no se leyeron: la simulación lee como máximo %1 MiB de un archivo llamado.</translation>
    </message>
    <message>
        <source>The header&apos;s bit &quot;%1&quot; cannot be read as a size; the settings&apos; bit is used.</source>
        <translation>La fresa &quot;%1&quot; de la cabecera no se puede leer como una medida; se usa la fresa de la configuración.</translation>
    </message>
</context>
<context>
    <name>expression::Expression</name>
    <message>
        <source>it is empty</source>
        <translation>está vacío</translation>
    </message>
    <message>
        <source>&amp;%1 has no value</source>
        <translation>&amp;%1 no tiene valor</translation>
    </message>
    <message>
        <source>it divides by zero</source>
        <translation>divide entre cero</translation>
    </message>
    <message>
        <source>its result is too large</source>
        <translation>su resultado es demasiado grande</translation>
    </message>
</context>
<context>
    <name>expression::Parser</name>
    <message>
        <source>&quot;%1&quot; is not part of a number, variable or expression</source>
        <translation>&quot;%1&quot; no forma parte de un número, una variable ni una expresión</translation>
    </message>
    <message>
        <source>it is nested too deeply</source>
        <translation>tiene demasiados niveles de anidamiento</translation>
    </message>
    <message>
        <source>a value is missing</source>
        <translation>falta un valor</translation>
    </message>
    <message>
        <source>a &quot;)&quot; is missing</source>
        <translation>falta un &quot;)&quot;</translation>
    </message>
    <message>
        <source>a variable has no name</source>
        <translation>una variable no tiene nombre</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no number, variable or expression</source>
        <translation>&quot;%1&quot; no es un número, una variable ni una expresión</translation>
    </message>
    <message>
        <source>&quot;.&quot; is no number</source>
        <translation>&quot;.&quot; no es un número</translation>
    </message>
    <message>
        <source>the number is too large</source>
        <translation>el número es demasiado grande</translation>
    </message>
</context>
<context>
    <name>keptfile</name>
    <message>
        <source>The file was changed by another program since it was read.</source>
        <translation>Otro programa modificó el archivo después de leerlo.</translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation>El archivo ya no existe.</translation>
    </message>
    <message>
        <source>The file no longer holds the lines it held when it was read.</source>
        <translation>El archivo ya no contiene las líneas que contenía cuando se leyó.</translation>
    </message>
</context>
<context>
    <name>modUtils</name>
    <message>
        <source>Select a name for the Part File that you will be assembling.</source>
        <translation>Elija un nombre para el archivo de pieza que va a montar.</translation>
    </message>
    <message>
        <source> Corvane (*.cvp)|*.cvp</source>
        <translation> Corvane (*.cvp)|*.cvp</translation>
    </message>
    <message>
        <source>That file already exist...are you SURE you want to use it</source>
        <translation>Ese archivo ya existe... ¿está SEGURO de que quiere usarlo?</translation>
    </message>
    <message>
        <source>File exists!</source>
        <translation>¡El archivo ya existe!</translation>
    </message>
    <message>
        <source>Choose another name</source>
        <translation>Elija otro nombre</translation>
    </message>
    <message>
        <source> This whole process doesn&apos;t really work unless you save your file. Don&apos;t you want to save all your hard work?</source>
        <translation> Todo este proceso no sirve de mucho si no guarda su archivo. ¿No quiere guardar todo su trabajo?</translation>
    </message>
    <message>
        <source>Don&apos;t you want to save?</source>
        <translation>¿No quiere guardar?</translation>
    </message>
</context>
<context>
    <name>partfile</name>
    <message>
        <source>A line to be written holds a line break or another control character; nothing was written.</source>
        <translation>Una línea que se iba a escribir contiene un salto de línea u otro carácter de control; no se escribió nada.</translation>
    </message>
    <message>
        <source>The file ended sooner than when it was read.</source>
        <translation>El archivo terminó antes que cuando se leyó.</translation>
    </message>
    <message>
        <source>Line %1 of the program, &quot;%2&quot;, holds the character &quot;%3&quot; (U+%4), which this part file&apos;s encoding, %5, cannot hold. Nothing was written: change the line and save again.</source>
        <translation>La línea %1 del programa, &quot;%2&quot;, contiene el carácter &quot;%3&quot; (U+%4), que la codificación de este archivo de pieza, %5, no puede representar. No se escribió nada: cambie la línea y vuelva a guardar.</translation>
    </message>
    <message>
        <source>The closing block</source>
        <translation>el bloque de cierre</translation>
    </message>
    <message>
        <source>The header</source>
        <translation>la cabecera</translation>
    </message>
    <message>
        <source>The header and the closing block</source>
        <translation>la cabecera y el bloque de cierre</translation>
    </message>
    <message>
        <source>%1 of the part file, which Headsmith wrote, are copied from
%2
when it is saved, but they cannot be read there now: %3

Nothing was written, so that no part file is saved without them.</source>
        <translation>Al guardar, lo que Headsmith escribió en el archivo de pieza (%1) se copia desde
%2
pero ahora no se puede leer allí: %3

No se escribió nada, para que no se guarde ningún archivo de pieza sin ello.</translation>
    </message>
    <message>
        <source>The file was changed by another program while it was read.</source>
        <translation>Otro programa modificó el archivo mientras se leía.</translation>
    </message>
</context>
<context>
    <name>partfilereader</name>
    <message>
        <source>The lines hold a Headsmith closing block, which is no part of a program.</source>
        <translation>Las líneas contienen un bloque de cierre de Headsmith, que no forma parte de un programa.</translation>
    </message>
</context>
<context>
    <name>partfilescan</name>
    <message>
        <source>The file was changed by another program while it was read.</source>
        <translation>Otro programa modificó el archivo mientras se leía.</translation>
    </message>
</context>
<context>
    <name>partfilescan::Scanner</name>
    <message>
        <source>The file has at least %1 program lines, but the program can hold at most %2 lines.</source>
        <translation>El archivo tiene al menos %1 líneas de programa, pero el programa admite como máximo %2 líneas.</translation>
    </message>
    <message>
        <source>The file has %1 program lines, but the program can hold at most %2 lines.</source>
        <translation>El archivo tiene %1 líneas de programa, pero el programa admite como máximo %2 líneas.</translation>
    </message>
    <message>
        <source>The file has more lines than the program can number.</source>
        <translation>El archivo tiene más líneas de las que el programa puede numerar.</translation>
    </message>
    <message>
        <source>The file holds NUL bytes, so it is no text file and cannot be a part file.</source>
        <translation>El archivo contiene bytes NUL, así que no es un archivo de texto y no puede ser un archivo de pieza.</translation>
    </message>
    <message>
        <source>The program lines of the file hold more than %1 MiB of text, more than any part file of %2 lines does.</source>
        <translation>Las líneas de programa del archivo contienen más de %1 MiB de texto, más que cualquier archivo de pieza de %2 líneas.</translation>
    </message>
</context>
<context>
    <name>resumecopy</name>
    <message>
        <source>Line %1 is no line of the program.</source>
        <translation>La línea %1 no es una línea del programa.</translation>
    </message>
    <message>
        <source>The dry run never reaches line %1, so where the machine stands there is not known. No copy was made.</source>
        <translation>La simulación nunca llega a la línea %1, así que no se sabe dónde está la máquina en ese punto. No se hizo ninguna copia.</translation>
    </message>
    <message>
        <source>The dry run does not record that pass over line %1. No copy was made.</source>
        <translation>La simulación no registra esa pasada por la línea %1. No se hizo ninguna copia.</translation>
    </message>
</context>
<context>
    <name>statement</name>
    <message>
        <source>%1 takes only %2 of the %3 values on this line; the router ignores the rest (is a decimal comma splitting a number?).</source>
        <translation>%1 solo toma %2 de los %3 valores de esta línea; la máquina ignora el resto (¿una coma decimal parte un número?).</translation>
    </message>
    <message>
        <source>%1 moves one axis; the other values on this line are ignored.</source>
        <translation>%1 mueve un solo eje; los demás valores de esta línea se ignoran.</translation>
    </message>
    <message>
        <source>The values between the file name and the offset mode are ignored.</source>
        <translation>Los valores entre el nombre del archivo y el modo de offset se ignoran.</translation>
    </message>
    <message>
        <source>%1 ignores some of the values on this line.</source>
        <translation>%1 ignora algunos de los valores de esta línea.</translation>
    </message>
</context>
<context>
    <name>templates</name>
    <message>
        <source>Give the template a name.</source>
        <translation>Dé un nombre a la plantilla.</translation>
    </message>
    <message>
        <source>A template&apos;s name cannot hold any of \ / : * ? &quot; &lt; &gt; | or a control character.</source>
        <translation>El nombre de una plantilla no puede contener ninguno de \ / : * ? &quot; &lt; &gt; | ni un carácter de control.</translation>
    </message>
    <message>
        <source>A template&apos;s name cannot end in a full stop.</source>
        <translation>El nombre de una plantilla no puede terminar en punto.</translation>
    </message>
    <message>
        <source>%1 is a name Windows keeps for a device.</source>
        <translation>%1 es un nombre que Windows reserva para un dispositivo.</translation>
    </message>
    <message>
        <source>The folder could not be created.</source>
        <translation>No se pudo crear la carpeta.</translation>
    </message>
    <message>
        <source>Line %1: the parameter has no variable; write it as &amp;name after param.</source>
        <translation>Línea %1: el parámetro no tiene variable; escríbala como &amp;nombre después de param.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; is no variable name; after one or two &amp;, a name begins with a letter or _ and holds only letters, digits and _.</source>
        <translation>Línea %1: &quot;%2&quot; no es un nombre de variable; tras uno o dos &amp;, un nombre empieza por una letra o _ y solo contiene letras, dígitos y _.</translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 needs = and a default value after its name.</source>
        <translation>Línea %1: &amp;%2 necesita = y un valor por defecto después de su nombre.</translation>
    </message>
    <message>
        <source>Line %1: the default value of &amp;%2 is not a number.</source>
        <translation>Línea %1: el valor por defecto de &amp;%2 no es un número.</translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 has no prompt in double quotes after its default value.</source>
        <translation>Línea %1: &amp;%2 no tiene un texto de solicitud entre comillas dobles después de su valor por defecto.</translation>
    </message>
    <message>
        <source>Line %1: the prompt of &amp;%2 has no closing double quote.</source>
        <translation>Línea %1: al texto de solicitud de &amp;%2 le falta la comilla doble de cierre.</translation>
    </message>
    <message>
        <source>Surfacing</source>
        <translation>Planeado</translation>
    </message>
    <message>
        <source>Rectangular pocket</source>
        <translation>Cajeado rectangular</translation>
    </message>
    <message>
        <source>Grid of drilled holes</source>
        <translation>Cuadrícula de agujeros taladrados</translation>
    </message>
    <message>
        <source>Rectangle outline with tabs</source>
        <translation>Contorno rectangular con puentes</translation>
    </message>
    <message>
        <source>Surfacing a rectangle in passes along X, stepping over in Y, at one depth</source>
        <translation>Planeado de un rectángulo en pasadas a lo largo de X, avanzando en Y entre pasadas, a una sola profundidad</translation>
    </message>
    <message>
        <source>Rectangular pocket cut in depth passes, each back and forth along X</source>
        <translation>Cajeado rectangular cortado en pasadas de profundidad, cada una de ida y vuelta a lo largo de X</translation>
    </message>
    <message>
        <source>Grid of holes drilled in pecks, the bit raised to the safe Z between pecks</source>
        <translation>Cuadrícula de agujeros taladrados por picoteo, con la fresa subida a la Z segura entre picoteos</translation>
    </message>
    <message>
        <source>Rectangle outline cut anticlockwise to depth, leaving two tabs on each side</source>
        <translation>Contorno rectangular cortado en sentido antihorario hasta la profundidad, dejando dos puentes en cada lado</translation>
    </message>
    <message>
        <source>Width the bit&apos;s centre covers (X)</source>
        <translation>Ancho que recorre el centro de la fresa (X)</translation>
    </message>
    <message>
        <source>Length the bit&apos;s centre covers (Y)</source>
        <translation>Largo que recorre el centro de la fresa (Y)</translation>
    </message>
    <message>
        <source>Depth below the top of the blank</source>
        <translation>Profundidad bajo la cara superior del tablero</translation>
    </message>
    <message>
        <source>Step-over between passes</source>
        <translation>Paso lateral entre pasadas</translation>
    </message>
    <message>
        <source>Safe Z for jogs</source>
        <translation>Z segura para los jogs</translation>
    </message>
    <message>
        <source>Total depth of the pocket</source>
        <translation>Profundidad total del cajeado</translation>
    </message>
    <message>
        <source>Depth of each pass</source>
        <translation>Profundidad de cada pasada</translation>
    </message>
    <message>
        <source>Rows of holes (along Y)</source>
        <translation>Filas de agujeros (a lo largo de Y)</translation>
    </message>
    <message>
        <source>Holes in each row (along X)</source>
        <translation>Agujeros por fila (a lo largo de X)</translation>
    </message>
    <message>
        <source>Distance between holes in X</source>
        <translation>Distancia entre agujeros en X</translation>
    </message>
    <message>
        <source>Distance between rows in Y</source>
        <translation>Distancia entre filas en Y</translation>
    </message>
    <message>
        <source>Depth of each hole</source>
        <translation>Profundidad de cada agujero</translation>
    </message>
    <message>
        <source>Depth of each peck</source>
        <translation>Profundidad de cada picoteo</translation>
    </message>
    <message>
        <source>Depth of the cut</source>
        <translation>Profundidad del corte</translation>
    </message>
    <message>
        <source>Length of each tab</source>
        <translation>Longitud de cada puente</translation>
    </message>
    <message>
        <source>Height of the tabs above the cut&apos;s depth</source>
        <translation>Altura de los puentes sobre la profundidad del corte</translation>
    </message>
    <message>
        <source>Line %1 holds a control character, which no part-file line may hold.</source>
        <translation>La línea %1 contiene un carácter de control, que ninguna línea de un archivo de pieza puede contener.</translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 is declared again; it was first declared on line %3.</source>
        <translation>Línea %1: &amp;%2 se declara de nuevo; se declaró por primera vez en la línea %3.</translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB, too large for a template.</source>
        <translation>El archivo ocupa más de 1 MiB, demasiado para una plantilla.</translation>
    </message>
    <message>
        <source>Line %1: after the prompt of &amp;%2 may stand only its range: min, max, above or below, each with a number, and whole.</source>
        <translation>Línea %1: tras el texto de solicitud de &amp;%2 solo puede ir su rango: min, max, above o below, cada uno con un número, y whole.</translation>
    </message>
    <message>
        <source>Line %1: the range of &amp;%2 holds no number.</source>
        <translation>Línea %1: el rango de &amp;%2 no contiene ningún número.</translation>
    </message>
    <message>
        <source>Line %1: the default value of &amp;%2 is outside its range.</source>
        <translation>Línea %1: el valor por defecto de &amp;%2 está fuera de su rango.</translation>
    </message>
    <message>
        <source>Line %1: the requirement has no message in double quotes after its test.</source>
        <translation>Línea %1: el requisito no tiene un mensaje entre comillas dobles después de su condición.</translation>
    </message>
    <message>
        <source>Line %1: the requirement&apos;s message has no closing double quote.</source>
        <translation>Línea %1: al mensaje del requisito le falta la comilla doble de cierre.</translation>
    </message>
    <message>
        <source>Line %1: there is text after the requirement&apos;s message.</source>
        <translation>Línea %1: hay texto después del mensaje del requisito.</translation>
    </message>
    <message>
        <source>Line %1: the requirement&apos;s test &quot;%2&quot; compares nothing; write two values with = &lt; &gt; &lt;= &gt;= or &lt;&gt; between them.</source>
        <translation>Línea %1: la condición &quot;%2&quot; del requisito no compara nada; escriba dos valores con = &lt; &gt; &lt;= &gt;= o &lt;&gt; entre ellos.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; in the requirement is no value.</source>
        <translation>Línea %1: &quot;%2&quot; en el requisito no es un valor.</translation>
    </message>
    <message>
        <source>Diameter of the bit</source>
        <translation>Diámetro de la fresa</translation>
    </message>
    <message>
        <source>The step-over must not be wider than the bit, or strips between the passes stay uncut.</source>
        <translation>El paso lateral no debe ser mayor que el ancho de la fresa, o quedarán franjas sin cortar entre las pasadas.</translation>
    </message>
    <message>
        <source>Each tab must be shorter than a third of the width, or the tabs run into each other and past the corners.</source>
        <translation>Cada puente debe medir menos de un tercio del ancho, o los puentes se juntarán entre sí y pasarán de las esquinas.</translation>
    </message>
    <message>
        <source>Each tab must be shorter than a third of the length, or the tabs run into each other and past the corners.</source>
        <translation>Cada puente debe medir menos de un tercio del largo, o los puentes se juntarán entre sí y pasarán de las esquinas.</translation>
    </message>
    <message>
        <source>The tabs cannot be higher than the cut is deep.</source>
        <translation>Los puentes no pueden ser más altos que la profundidad del corte.</translation>
    </message>
    <message>
        <source>Line %1: a template declares at most %2 parameters; this is one more.</source>
        <translation>Línea %1: una plantilla declara como máximo %2 parámetros; este es uno de más.</translation>
    </message>
    <message>
        <source>Line %1: the requirement uses &amp;%2, which no parameter declares.</source>
        <translation>Línea %1: el requisito usa &amp;%2, que ningún parámetro declara.</translation>
    </message>
    <message>
        <source>And %1 more faults.</source>
        <translation>Y %1 errores más.</translation>
    </message>
    <message>
        <source>above %1</source>
        <translation>mayor que %1</translation>
    </message>
    <message>
        <source>at least %1</source>
        <translation>mayor o igual que %1</translation>
    </message>
    <message>
        <source>below %1</source>
        <translation>menor que %1</translation>
    </message>
    <message>
        <source>at most %1</source>
        <translation>menor o igual que %1</translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation>de %1 a %2</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>un número entero</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>un número</translation>
    </message>
    <message>
        <source> and </source>
        <translation> y </translation>
    </message>
    <message>
        <source>&amp;%1 must be %2.</source>
        <translation>&amp;%1 debe ser %2.</translation>
    </message>
    <message>
        <source>&amp;%1 (%2) must be %3.</source>
        <translation>&amp;%1 (%2) debe ser %3.</translation>
    </message>
</context>
<context>
    <name>tools</name>
    <message>
        <source>This is the part file itself. Choose another name for the new file.</source>
        <translation>Este es el propio archivo de pieza. Elija otro nombre para el archivo nuevo.</translation>
    </message>
    <message>
        <source>Trace the outline</source>
        <translation>Recorrer el contorno</translation>
    </message>
    <message>
        <source>The dry run moves the tool nowhere, so the program has no outline to trace.</source>
        <translation>La simulación no mueve la herramienta a ningún sitio, así que el programa no tiene contorno que recorrer.</translation>
    </message>
    <message>
        <source>Save the outline as</source>
        <translation>Guardar el contorno como</translation>
    </message>
    <message>
        <source>The outline was not saved.

%1</source>
        <translation>El contorno no se guardó.

%1</translation>
    </message>
    <message>
        <source>The outline takes %1 lines and the program has room for %2 more of its 100. Nothing was inserted; save the outline as a separate part file instead.</source>
        <translation>El contorno ocupa %1 líneas y el programa tiene sitio para %2 más de sus 100. No se insertó nada; guarde el contorno como un archivo de pieza aparte.</translation>
    </message>
    <message>
        <source>The program panel has no room for the outline&apos;s lines below the last line. Nothing was inserted.</source>
        <translation>El panel del programa no tiene sitio para las líneas del contorno debajo de la última línea. No se insertó nada.</translation>
    </message>
    <message>
        <source>line %1 (%2)</source>
        <translation>línea %1 (%2)</translation>
    </message>
    <message>
        <source>the end of the file</source>
        <translation>el final del archivo</translation>
    </message>
    <message>
        <source>Save a copy to resume</source>
        <translation>Guardar una copia para reanudar</translation>
    </message>
    <message>
        <source>Write the copy anyway?</source>
        <translation>¿Escribir la copia de todos modos?</translation>
    </message>
    <message>
        <source>Save the copy to resume as</source>
        <translation>Guardar la copia para reanudar como</translation>
    </message>
    <message>
        <source>The copy was not saved: its line &quot;%1&quot; holds &quot;%2&quot;, which the part file&apos;s encoding, %3, cannot hold.</source>
        <translation>La copia no se guardó: su línea &quot;%1&quot; contiene &quot;%2&quot;, que la codificación del archivo de pieza, %3, no puede representar.</translation>
    </message>
    <message>
        <source>The copy was not saved.

%1</source>
        <translation>La copia no se guardó.

%1</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>línea %1: %2</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, línea %2</translation>
    </message>
    <message>
        <source>Before line %1 the program ran lines the dry run cannot follow; the copy does not repeat them, so set the machine as they would:
%2</source>
        <translation>Antes de la línea %1 el programa ejecutó líneas que la simulación no puede seguir; la copia no las repite, así que prepare la máquina como lo harían ellas:
%2</translation>
    </message>
    <message>
        <source>The copy&apos;s variables hold the answers the dry run gave the INPUT lines before line %1 (set in the Toolpath view), not what was typed at the machine.</source>
        <translation>Las variables de la copia contienen las respuestas que la simulación dio a las líneas INPUT antes de la línea %1 (fijadas en la vista Trayectoria), no lo que se tecleó en la máquina.</translation>
    </message>
    <message>
        <source>The copy was saved as
%1

%2</source>
        <translation>La copia se guardó como
%1

%2</translation>
    </message>
    <message>
        <source>Running the program without a machine...</source>
        <translation>Ejecutando el programa sin máquina...</translation>
    </message>
    <message>
        <source> and %1 more lines</source>
        <translation> y %1 líneas más</translation>
    </message>
    <message>
        <source>, %1 calls deep</source>
        <translation>, con %1 niveles de llamada</translation>
    </message>
    <message>
        <source>Line %1 runs inside a subroutine: %2 calls it%3, the body begins at %4 and returns at %5. The copy goes on after that GOSUB when it reaches the RETURN.</source>
        <translation>La línea %1 se ejecuta dentro de una subrutina: %2 la llama%3, el cuerpo empieza en %4 y vuelve en %5. La copia continúa después de ese GOSUB cuando llega al RETURN.</translation>
    </message>
    <message>
        <source>and %1 more, named in the copy&apos;s comments</source>
        <translation>y %1 más, indicadas en los comentarios de la copia</translation>
    </message>
    <message>
        <source>It repeats because %1 jumps back over it.</source>
        <translation>Se repite porque %1 salta hacia atrás por encima de ella.</translation>
    </message>
    <message>
        <source>Writing the copy to resume from line %1...</source>
        <translation>Escribiendo la copia para reanudar desde la línea %1...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1

%2 lines run so far.</source>
        <translation>%1

%2 líneas ejecutadas hasta ahora.</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Deteniendo...</translation>
    </message>
</context>
</TS>
