// Keeps the resource library non-empty while no .qrc file exists.
