// Shared fixtures for the test programs.
