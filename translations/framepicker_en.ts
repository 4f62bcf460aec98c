<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>&amp;New Window</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>&amp;Open Video…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>&amp;Close Window</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>&amp;About Framepicker</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>About Framepicker</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>Check for &amp;Updates Daily</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker opens up to eight videos at once, each in its own window. Videos left out: %@.</translation>
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
        <translation>Saves the exact first and last frame of a video as PNG images.</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>Disclaimer</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>Made by</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>Drop a video here</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>Processing “%@”…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>Only files on this computer can be opened.</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>“%@” files are not supported. Choose a video file.</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>A new version of Framepicker is available.</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>Files without an extension are not supported. Choose a video file.</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>Videos (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>Open Video</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>“%@” could not be found.</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>“%@” is a folder, not a video file.</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>“%@” could not be read as a video.</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>“%@” contains no video.</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>“%@” uses a video format that cannot be decoded.</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>“%@” could not be decoded.</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>No frame could be decoded from “%@”.</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>“%@” could not be read to the end.</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>“%@” has frames too large to save.</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>“%@” has a pixel format that cannot be converted.</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>“%@” has colours that cannot be converted for the screen.</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>“%@” needs more memory than is available.</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>“%@” was removed while it was being read.</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>“%@” changed while it was being read.</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>“%@” could no longer be read.</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>Failed to encode PNG: %@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>Processing: %@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>Done: %@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>Error: %@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>The folder “%@” could not be created.</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>“%@” could not be written.</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>“%@” is not an ordinary file.</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>The decoder stopped while reading “%@”.</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>The decoder for “%@” could not be confined, so it was not started.</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>The decoder stopped responding while reading “%@”.</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>“%@” declares pixels of a shape too extreme to show.</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>“%@” has frames that cannot be scaled to their display size.</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>“%@” is a link made by another user; nothing is written through it.</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>The folder “%@” belongs to another user; nothing is written into it.</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>The folder “%@” is in use by another program.</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>Choose Another Folder…</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>Choose Another Folder</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ and other videos</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation> (%@)</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>invalid data</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>end of file</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>no decoder found</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>operation not permitted</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>no space left on the device</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>a file of that name exists</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>segmentation fault</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>killed</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>aborted</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>forbidden system call</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>unknown option '%@'</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>option '%@' needs a value</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>'%@' is not a number of jobs from 1 to 1024</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>the output folder's name is empty</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>no video given</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>Try '%@ --help' for more information.</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>Usage: framepicker-cli [OPTION]... VIDEO...
Write the exact first and last frame of each VIDEO as first.png and last.png
into a folder beside it named after it, and print that folder's path.

  -j, --jobs=N        work on up to N videos at once (default: the number of
                      cores; 1 takes one after the other)
  -o, --output=DIR    put each video's folder under DIR, at the video's path
                      as given (clips/a/trip.mov gives DIR/clips/a/trip; an
                      absolute path, or one with .., its path from the root)
      --json          print one JSON object per video instead of the folder
      --unordered     print each result as it is ready, not in input order
  -q, --quiet         show no progress on the terminal
  -h, --help          show this help and exit
  -V, --version       show the version and exit

Results and errors have one line each, in the order the videos were given.
Exit status: 0 if every video succeeded, 1 if any failed, 2 for a usage error.
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>Usage: framepicker [OPTION]... [VIDEO]...
Open the Framepicker window; with VIDEO, write its exact first and last frame
as first.png and last.png into a folder beside it, as a drop on the window
does. Each VIDEO gets a window of its own, up to eight.

      --about         open the About window too
  -h, --help          show this help and exit
  -V, --version       show the version and exit

Qt's own options, such as -platform NAME and -style NAME, are accepted too.
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@ Use -o DIR to write into another folder.</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>worker confinement: %@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>refused (%@), so no video is decoded</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>unknown (%@)</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>no Landlock</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>no seccomp</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>memory limit %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>no memory limit</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>, </translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@%</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>about %@ left</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>First</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>First frame of %@</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>Last frame of %@</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>No program could open “%@”.</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>%@ more</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>Not videos, so not opened: %@.</translation>
    </message>
</context>
</TS>
