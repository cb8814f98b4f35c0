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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extent: no motion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extent: X %1 to %2, Y %3 to %4, Z %5 to %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Segments: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stops for the operator: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not simulated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job sheet would replace the part file &quot;%1&quot;; name another file.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runs the part file without a machine and prints the estimated time, the extent, the stops, the warnings and the lines not simulated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value an INPUT line&apos;s variable takes in the dry run or the job sheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the dry run as one JSON object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draws the dry run&apos;s toolpath, seen from the top, into a PNG or SVG file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the part file&apos;s job sheet into a PDF file: the header&apos;s answers, the toolpath from the top, the estimated time, the extent, the stops, the lines not simulated and the numbered lines.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one part file can be named.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--check, --dry-run and --job-sheet exclude each other.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--json and --toolpath-image go with --dry-run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--answer goes with --dry-run or --job-sheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name the part file to check or run.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DryRunSettingsDialog</name>
    <message>
        <source>Move XY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jog XY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jog Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jog A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jog B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XY acceleration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z acceleration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A and B acceleration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blank X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blank Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dry Run Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speeds (units per second)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accelerate and decelerate on every segment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step limit (lines run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table and blank (empty: no check, or the file&apos;s header decides)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top of the blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z zeroed at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a number above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be a number above 0, or empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The step limit must be a whole number above 0.</source>
        <translation type="unfinished"></translation>
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
        <translation>Hecho</translation>
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
        <translation>No se pudo recordar el modo de las herramientas:

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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was not enough memory to do this. Close other programs and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part file changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The part file as Headsmith wrote it could not be read back:

%1

The lines on the panel are as they were; the next save asks before it replaces the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part file not read</source>
        <translation type="unfinished"></translation>
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
        <translation>Ya se escribió un archivo de cierre para este archivo con Headsmith... ¿quiere reemplazarlo con el nuevo archivo de cierre?</translation>
    </message>
    <message>
        <source>An answer holds the character &quot;%1&quot;, which this file&apos;s encoding, %2, cannot hold. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These saved Headsmith answers in
%1
are longer than %2 bytes and were not loaded:
%3

What the window holds takes their place when the header is written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A line composed for the header of
%1
holds the character &quot;%2&quot;, which the part file&apos;s encoding, %3, cannot hold. Nothing was written: change that answer and write the header again.</source>
        <translation type="unfinished"></translation>
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
        <translation>Origen Z</translation>
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
        <translation>Diámetro de fresa</translation>
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
        <translation>Añadir un comentario en línea</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
</context>
<context>
    <name>InputAnswersTable</name>
    <message>
        <source>Line</source>
        <translation type="unfinished">Línea</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation type="unfinished">Mensaje</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers the dry run gives to INPUT lines; type a number, or clear it for none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The answer for %1, wherever it is asked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run used %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobSheet</name>
    <message>
        <source>Line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created by</source>
        <translation type="unfinished">Creado por</translation>
    </message>
    <message>
        <source>%1, on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Material</source>
        <translation type="unfinished">Material</translation>
    </message>
    <message>
        <source>Blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offset mode</source>
        <translation type="unfinished">Modo offset</translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 offset: move to %2 before cutting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: sets nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: answer used %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no answer given, the run took 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>(reached %n times)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run stopped at the step limit; the time covers only what ran before it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job sheet: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program has changes that are not saved yet: this sheet shows it as Save will write it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolpath seen from the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dry run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing moves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extent %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stops for the operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines not simulated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The part file, line by line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dry run draws no path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>… %n lines …</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job sheet could not be written to &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job sheet could not be written to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JobSheetCommands</name>
    <message>
        <source>&amp;Export Job Sheet (PDF)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job sheet: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Job Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job sheet could not be printed: the printer could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Job Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job sheet cannot take the part file&apos;s place:
%1

Choose another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file
%1
exists already. Replace it with the job sheet?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Job sheet written to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeptStatus</name>
    <message>
        <source>Lines Headsmith keeps beside the program; click to show them in the Part File Text pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header: %1 lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing block: %1 lines</source>
        <translation type="unfinished"></translation>
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
        <translation>&amp;Reiniciar</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a &amp;copy to resume from this line...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace the &amp;outline...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
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
        <source>&amp;Problems</source>
        <translation type="unfinished">&amp;Problemas</translation>
    </message>
    <message>
        <source>Part File &amp;Text</source>
        <translation type="unfinished">&amp;Texto del archivo de pieza</translation>
    </message>
    <message>
        <source>T&amp;oolpath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;mplates</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutlineDialog</name>
    <message>
        <source>Trace the outline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jogs up to the safe Z, then around the rectangle the program&apos;s moves cover.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Safe Z:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert the lines after line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert the lines at the end of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save them as a separate &amp;part file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished">Hecho</translation>
    </message>
</context>
<context>
    <name>PartDocument</name>
    <message>
        <source>The file was changed by another program since it was read or last saved here; nothing was written.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation>un enlace que lleva en círculo</translation>
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
</context>
<context>
    <name>Runner</name>
    <message>
        <source>Not simulated: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not simulated: the %1 value &quot;%2&quot; cannot be evaluated: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No line of this file is the label &quot;%1&quot;; the run goes on with the next line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RETURN without a GOSUB before it: this file ends here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAUSE %1 is below 0 or beyond any wait; no time is added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer is given for this INPUT; the run takes 0 for &amp;%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File calls nest deeper than %1 files; this call is skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; cannot be read (%2); the run goes on with the next line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is running already, so this call would never end; it is skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The offset mode &quot;%1&quot; is none of 0, 2 and 1; the file runs without an offset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 (%2 times)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 line %2 (%3 times)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run stopped after %1 lines, the step limit, as if it looped without end. Of the last %2 lines, these ran most: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 %2 is not above 0 (or beyond any machine); it stays %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 position %2 is beyond any machine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The label &quot;%1&quot; is defined again; jumps go to line %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the IF line has no THEN.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the IF test &quot;%1&quot; compares nothing (= &lt; &gt; &lt;= &gt;= &lt;&gt;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 line names no label.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a jump to the label a variable holds (%1) cannot be followed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text &quot;%1&quot; after %2 is not read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Variable line needs a name and a value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the dry run does not know this command.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file call names no file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file name &quot;%1&quot; holds a variable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a Windows path, which cannot be reached here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing reads files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The setting %1 (%2) is no usable speed; %3 is used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The acceleration %1 is no usable value; those axes are timed without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The calibration %1 is no usable factor; 1 is used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool goes outside the table, to X %1, Y %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A cut goes outside the %1 x %2 blank, at X %3, Y %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tool goes below the table top, to Z %1 (the table top is at Z %2).</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new content could not be given the owner and group of the old file (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaveTemplateDialog</name>
    <message>
        <source>Save as Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lines:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameters: numbers asked for when the template is inserted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These lines set no variable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text the form shows beside the box for &amp;%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;%1 is first set to something other than a number, or after a label, a jump or an IF, so it stays as the lines set it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateActions</name>
    <message>
        <source>No room for the template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A part file holds at most 100 lines, and this one is full. Nothing was inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template not inserted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template gives %1 lines, but a part file holds at most %2 lines: %3 more fit in this one. Nothing was inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template gives %1 lines, but the program panel has rows for %2 more there. Drag the last line up onto an empty row and try again. Nothing was inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The limit for one kind of line would be passed. Nothing was inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is a template called %1 already. Replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the template?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template could not be saved.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template not saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template %1 saved in %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateForm</name>
    <message>
        <source>Insert a Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Inserts %n line(s) after line %1.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Inserts %n line(s) at the end of the program.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The value of %1 is not a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The values of %1 are not numbers.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplatesDock</name>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comes with the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a template: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextFieldDialog</name>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
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
        <translation>Escriba un comando que todavía no está incluido</translation>
    </message>
</context>
<context>
    <name>ToolpathDock</name>
    <message>
        <source>Toolpath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3D</source>
        <translation type="unfinished">3d {3D?}</translation>
    </message>
    <message>
        <source>Top: X right, Y up. Front: X right, Z up. Side: Y right, Z up. 3D: turn it with a right drag, or Shift and a left drag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the whole path (or double click the picture)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the picture as shown, as PNG or SVG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speeds, the table, the blank and the run-time model of the dry run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Toolpath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG drawing (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolpathExport</name>
    <message>
        <source>The picture could not be written to &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be written to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolpathScene</name>
    <message>
        <source>The run has no moves to show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No dry run yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header and closing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not reached yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth (Z)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolpathScrubber</name>
    <message>
        <source>Where in the run the tool is shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step back one segment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step forward one segment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the tool is at this point of the run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time run up to this point, timed pauses included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No moves</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolpathSummary</name>
    <message>
        <source>%1, line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often the run stops for the operator (PAUSE and INPUT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The warnings are listed in Problems</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines the dry run could not simulate; click one to go to it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extent:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Segments:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stops:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warnings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not simulated:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This run was cut short by a newer one; it shows what was done so far.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run stopped at the step limit; the estimate covers what ran.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolpathView</name>
    <message>
        <source>%1, line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(header)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(closing block)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel: zoom. Drag: move. Right drag or Shift+drag: turn. Double click: fit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel: zoom. Drag: move. Double click: fit.</source>
        <translation type="unfinished"></translation>
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
        <translation>Reiniciar</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace Outline</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserSettings</name>
    <message>
        <source>The settings could not be composed.</source>
        <translation>No se pudieron componer los ajustes.</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The called file &quot;%1&quot; is a Windows path that cannot be checked here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 value of this %2 line is empty or only blanks, so the router does not move %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This line holds only blanks or tabs, which the eye cannot tell from an empty line.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>dryrun</name>
    <message>
        <source>XY move speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z move speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A move speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B move speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XY jog speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z jog speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A jog speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B jog speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IF test&apos;s left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IF test&apos;s right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>variable&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAUSE</source>
        <translation type="unfinished">PAUSE</translation>
    </message>
    <message>
        <source>header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>closing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the dry run reads at most %1 lines (and %2 MiB) of a header or closing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lines %1 to %2 of the %3 were not read: %4.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>dryrun::engine</name>
    <message>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the lines from here on were not read: the dry run reads at most %1 MiB of a called file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>expression::Expression</name>
    <message>
        <source>it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;%1 has no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it divides by zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its result is too large</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>expression::Parser</name>
    <message>
        <source>&quot;%1&quot; is not part of a number, variable or expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is nested too deeply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a &quot;)&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a variable has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no number, variable or expression</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;.&quot; is no number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the number is too large</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keptfile</name>
    <message>
        <source>The file was changed by another program since it was read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file no longer holds the lines it held when it was read.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of the program, &quot;%2&quot;, holds the character &quot;%3&quot; (U+%4), which this part file&apos;s encoding, %5, cannot hold. Nothing was written: change the line and save again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The closing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header and the closing block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the part file, which Headsmith wrote, are copied from
%2
when it is saved, but they cannot be read there now: %3

Nothing was written, so that no part file is saved without them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file was changed by another program while it was read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>partfilereader</name>
    <message>
        <source>The lines hold a Headsmith closing block, which is no part of a program.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>partfilescan</name>
    <message>
        <source>The file was changed by another program while it was read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>partfilescan::Scanner</name>
    <message>
        <source>The file has at least %1 program lines, but the program can hold at most %2 lines.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has %1 program lines, but the program can hold at most %2 lines.</source>
        <translation type="unfinished">El archivo tiene %1 líneas de programa, pero el programa admite como máximo %2 líneas.</translation>
    </message>
    <message>
        <source>The file has more lines than the program can number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds NUL bytes, so it is no text file and cannot be a part file.</source>
        <translation type="unfinished">El archivo contiene bytes NUL, así que no es un archivo de texto y no puede ser un archivo de pieza.</translation>
    </message>
    <message>
        <source>The program lines of the file hold more than %1 MiB of text, more than any part file of %2 lines does.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>resumecopy</name>
    <message>
        <source>Line %1 is no line of the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dry run never reaches line %1, so where the machine stands there is not known. No copy was made.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>statement</name>
    <message>
        <source>%1 takes only %2 of the %3 values on this line; the router ignores the rest (is a decimal comma splitting a number?).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 moves one axis; the other values on this line are ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The values between the file name and the offset mode are ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ignores some of the values on this line.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>templates</name>
    <message>
        <source>Give the template a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A template&apos;s name cannot hold any of \ / : * ? &quot; &lt; &gt; | or a control character.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A template&apos;s name cannot end in a full stop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a name Windows keeps for a device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder could not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the parameter has no variable; write it as &amp;name after param.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; is no variable name; after one or two &amp;, a name begins with a letter or _ and holds only letters, digits and _.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 needs = and a default value after its name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the default value of &amp;%2 is not a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 has no prompt in double quotes after its default value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the prompt of &amp;%2 has no closing double quote.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: there is text after the prompt of &amp;%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Surfacing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangular pocket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid of drilled holes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle outline with tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Surfacing a rectangle in passes along X, stepping over in Y, at one depth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangular pocket cut in depth passes, each back and forth along X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid of holes drilled in pecks, the bit raised to the safe Z between pecks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle outline cut anticlockwise to depth, leaving two tabs on each side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width the bit&apos;s centre covers (X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length the bit&apos;s centre covers (Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth below the top of the blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step-over between passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safe Z for jogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total depth of the pocket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth of each pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows of holes (along Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holes in each row (along X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance between holes in X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance between rows in Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth of each hole</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth of each peck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth of the cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length of each tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height of the tabs above the cut&apos;s depth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 holds a control character, which no part-file line may hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: &amp;%2 is declared again; it was first declared on line %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB, too large for a template.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tools</name>
    <message>
        <source>This is the part file itself. Choose another name for the new file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace the outline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dry run moves the tool nowhere, so the program has no outline to trace.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the outline as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The outline was not saved.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The outline takes %1 lines and the program has room for %2 more of its 100. Nothing was inserted; save the outline as a separate part file instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program panel has no room for the outline&apos;s lines below the last line. Nothing was inserted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 lies inside a loop: %2 jumps back over it. The copy starts as the program stood the first time it reached line %1, so it runs every pass from there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 runs inside a subroutine: %2 calls it, the body begins at %3 and returns at %4. The copy goes on after that GOSUB when it reaches the RETURN.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the end of the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a copy to resume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the copy anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the copy to resume as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy was not saved: its line &quot;%1&quot; holds &quot;%2&quot;, which the part file&apos;s encoding, %3, cannot hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy was not saved.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished">línea %1: %2</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before line %1 the program ran lines the dry run cannot follow; the copy does not repeat them, so set the machine as they would:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy&apos;s variables hold the answers the dry run gave the INPUT lines before line %1 (set in the Toolpath view), not what was typed at the machine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy was saved as
%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
