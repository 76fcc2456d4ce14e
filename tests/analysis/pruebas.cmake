# Tests of the analysis screens.
