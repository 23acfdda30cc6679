# Shell settings (sourced, not run) shared by every script that starts Wine:
# a 32-bit prefix, no debug chatter, no Mono/Gecko install prompts and no
# desktop menu entries.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
