# Tests of the masterdata screens.
