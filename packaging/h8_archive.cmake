# Packs h8 with its manual page, its completions for bash, zsh and fish, and its
# licence into ARCHIVE (a .tar.gz), laid out as a prefix: unpacked into ~/.local or
# /usr/local, each file lands where the shells and man look for it. Run by the target
# h8_archive: cmake -D BUILD=<build folder> -D ARCHIVE=<file> -P h8_archive.cmake
set(stage ${BUILD}/h8-archive)
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --component h8 --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# zsh looks in site-functions under a prefix of the user's (vendor-completions is
# the distribution's own); the Debian changelog and lintian's notes belong to the
# Debian package.
file(RENAME ${stage}/share/zsh/vendor-completions ${stage}/share/zsh/site-functions)
file(REMOVE_RECURSE ${stage}/share/doc/h8/changelog.Debian.gz ${stage}/share/lintian)
# Files only: unpacking makes the folders that are missing and leaves alone the
# modes and times of those there.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
execute_process(COMMAND tar --create --file=${ARCHIVE} --use-compress-program=gzip\ -9n
                        --sort=name --owner=0 --group=0 --numeric-owner --directory=${stage}
                        ${files}
                COMMAND_ERROR_IS_FATAL ANY)
