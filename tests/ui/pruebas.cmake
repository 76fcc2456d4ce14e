# Tests of what every window shares.
