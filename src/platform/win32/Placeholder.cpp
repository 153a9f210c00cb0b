// Removed once the first back end lands.
