# Tests of the util screens.
