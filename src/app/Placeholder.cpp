// Removed once the settings store lands.
