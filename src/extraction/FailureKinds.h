#pragma once

// The one table of what can go wrong in a job. A row:
//   KIND(kind, name, key, reporter, gloss)
// kind      Failure::Kind's value; its number, its place here, is what a worker sends.
//           New kinds go at the end: released ones keep their places (a test holds them).
// name      its stable name for scripts (framepicker-cli --json's "kind"); never change one
//           once released.
// key       the translation key of the sentence that words it, its one "%@" the video's
//           name or the folder's or image's path.
// reporter  worker: a decoding worker may report it (WorkerProtocol's mediaFailure);
//           parent: only the parent can know it, and a worker naming it is malformed.
// gloss     what framepicker-cli(1) says of it after its name, or "" (the top CMakeLists.txt
//           writes the page's list of kinds from these rows: keep their shape, and no
//           quote or semicolon inside a string).
// Comments in the rows are /* */: a // comment would swallow the line after it.
#define FRAMEPICKER_FAILURE_KINDS(KIND) \
    KIND(notFound, "notFound", "error.notFound %@", parent, "") \
    KIND(folder, "folder", "error.folder %@", parent, "") \
    KIND(notRegular, "notRegular", "error.notRegular %@", parent, "a pipe, device or socket") \
    KIND(unreadable, "unreadable", "error.unreadable %@", worker, "") \
    KIND(noVideo, "noVideo", "error.noVideo %@", worker, "a file with no video stream") \
    KIND(unsupportedFormat, "unsupportedFormat", "error.unsupportedFormat %@", worker, "") /* reason: its name */ \
    KIND(undecodable, "undecodable", "error.undecodable %@", worker, "") \
    KIND(noPicture, "noPicture", "error.noPicture %@", worker, "") \
    KIND(readFailed, "readFailed", "error.readFailed %@", worker, "") \
    KIND(tooLarge, "tooLarge", "error.tooLarge %@", worker, "") /* reason: the picture's size */ \
    KIND(extremeAspectRatio, "extremeAspectRatio", "error.extremeAspectRatio %@", worker, "") /* reason: the ratio */ \
    KIND(unscalable, "unscalable", "error.unscalable %@", worker, "") /* reason: the sizes */ \
    KIND(unconvertiblePixels, "unconvertiblePixels", "error.unconvertiblePixels %@", worker, "") /* reason: the format */ \
    KIND(unconvertibleColours, "unconvertibleColours", "error.unconvertibleColours %@", worker, "") /* HDR, wide gamut */ \
    KIND(outOfMemory, "outOfMemory", "error.outOfMemory %@", worker, "") \
    KIND(removed, "removed", "error.removed %@", parent, "the video was removed while it was read") \
    KIND(changed, "changed", "error.changed %@", parent, "it was replaced or rewritten while it was read") \
    KIND(noLongerReadable, "noLongerReadable", "error.noLongerReadable %@", parent, \
         "it could not be looked at again while it was read") \
    KIND(workerStopped, "workerStopped", "error.workerStopped %@", parent, \
         "the decoder ended without a result or sent back something that is not an image it may send") \
    KIND(notConfined, "notConfined", "error.notConfined %@", worker, \
         "the system refused to confine the decoder, so it did not run") \
    KIND(notResponding, "notResponding", "error.notResponding %@", parent, "the decoder made no progress for 30 seconds") \
    /* The output folder and the images in it; these carry the system's error code. */ \
    KIND(cannotCreateFolder, "cannotCreateFolder", "error.cannotCreateFolder %@", parent, "") \
    KIND(cannotWrite, "cannotWrite", "error.cannotWrite %@", parent, "") \
    KIND(untrustedLink, "untrustedLink", "error.untrustedLink %@", parent, "a link another user made is in the way") \
    KIND(foreignFolder, "foreignFolder", "error.foreignFolder %@", parent, "the folder exists and belongs to another user") \
    KIND(folderInUse, "folderInUse", "error.folderInUse %@", parent, "another program held the folder for more than 10 seconds") \
    /* The worker's encoder; it travels as its own message, naming the image the parent awaits. */ \
    KIND(cannotSavePNG, "cannotSavePNG", "error.cannotSavePNG %@", parent, "")
