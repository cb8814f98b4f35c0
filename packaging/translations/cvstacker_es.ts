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
        <source>Only one part file can be opened at a time.</source>
        <translation>Solo se puede abrir un archivo de pieza a la vez.</translation>
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
        <source>&amp;Problems</source>
        <translation>&amp;Problemas</translation>
    </message>
    <message>
        <source>Part File &amp;Text</source>
        <translation>&amp;Texto del archivo de pieza</translation>
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
</context>
<context>
    <name>partfilereader</name>
    <message>
        <source>The file holds NUL bytes, so it is no text file and cannot be a part file.</source>
        <translation>El archivo contiene bytes NUL, así que no es un archivo de texto y no puede ser un archivo de pieza.</translation>
    </message>
    <message>
        <source>The file has %1 program lines, but the program can hold at most %2 lines.</source>
        <translation>El archivo tiene %1 líneas de programa, pero el programa admite como máximo %2 líneas.</translation>
    </message>
    <message>
        <source>Line %1 of the file holds a control character (byte %2), which no command line may hold.</source>
        <translation>La línea %1 del archivo contiene un carácter de control (byte %2), que ninguna línea de comando puede contener.</translation>
    </message>
    <message>
        <source>The file is too large to be a part file.</source>
        <translation>El archivo es demasiado grande para ser un archivo de pieza.</translation>
    </message>
</context>
</TS>
