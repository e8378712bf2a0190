// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options the player gives every engine, beside those of its video output (VideoOutput.h).
// The benchmarks run bare mpv with the same ones.

#include <mpv/client.h>

// Nothing from the user's own engine configuration, no scripts and no input
// handling of the engine's own: the program alone drives it.
inline constexpr const char *kEngineOptions[][2] = {
    {"config", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"input-default-bindings", "no"},
    {"input-builtin-bindings", "no"},
    {"input-vo-keyboard", "no"},
    // Else the engine's window swallows the clicks meant for the program.
    {"input-cursor", "no"},
    // It sees no pointer motion without input-cursor, so it would hide the pointer for good.
    {"cursor-autohide", "no"},
    {"osc", "no"},
    {"osd-level", "0"},
    {"resume-playback", "no"},
    {"terminal", "no"},
    {"hwdec", "no"},
    // At the end the last frame stays and the position reads as the duration.
    {"keep-open", "yes"},
    {"force-window", "yes"},
    // Some demuxers (MPEG program streams) land past a seek target, and an exact seek
    // cannot go back: start that far before it and decode forward.
    {"hr-seek-demuxer-offset", "1"},
    {"volume-max", "100"},
    // Without a sound device the media still plays, silently, and its clock still runs.
    {"audio-fallback-to-null", "yes"},
    // A file plays as the media it holds and nothing else: no playlist, EDL or chapter file of a
    // stranger's may make the engine open further files or any network stream.
    {"access-references", "no"},
    {"ordered-chapters", "no"},
    {"load-unsafe-playlists", "no"},
    {"demuxer-lavf-o", "protocol_whitelist=file"},
    {"audio-client-name", "KAVEL Player"},
};

// Options that only newer engines have, each with the first client API version
// (mpv_client_api_version()) that takes it: an older engine goes without.
struct LaterEngineOption {
    const char *name;
    const char *value;
    unsigned long since;
};
inline constexpr LaterEngineOption kLaterEngineOptions[] = {
    // What is dropped on the picture goes to the program, which opens it as it opens any file
    // (mpv 0.37 on; mpv 0.35 has no such option).
    {"drag-and-drop", "no", MPV_MAKE_VERSION(2, 2)},
};
