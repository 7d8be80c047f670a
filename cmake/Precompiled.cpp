// The one file the precompiled headers of a kind of target are made with.
