# Tests of the agenda screens.
