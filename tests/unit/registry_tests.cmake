# SPDX-License-Identifier: MIT
# Tests of the settings store.
