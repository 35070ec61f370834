// NKI and sound-container writer for tests and fuzz seeds.
