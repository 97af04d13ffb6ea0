# SPDX-License-Identifier: MIT
# Sources of the settings store, added to the storage library.
