// Project-state stream writer for tests and fuzz seeds.
