// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled-in artwork and form files live in this library's resource objects.
