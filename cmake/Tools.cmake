# Developer tools that are not part of the plug-in.
