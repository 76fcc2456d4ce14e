# Tests of start-up and the main window.
