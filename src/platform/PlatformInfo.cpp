// Keeps the platform library non-empty until its first back end lands.
