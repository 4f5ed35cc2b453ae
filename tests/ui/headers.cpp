// Compiles the UI tests' precompiled header, which every UI test then reuses.
