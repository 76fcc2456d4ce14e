# Tests of the links screens.
