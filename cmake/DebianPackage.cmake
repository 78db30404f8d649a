# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (`make package`): the man page, the AppStream metainfo, the copyright and changelog files, and
# CPack's DEB generator. The program goes to /usr/bin, its installation folder to /usr/share/orvanta.

find_program(ORVANTA_HELP2MAN help2man REQUIRED)
find_program(ORVANTA_GZIP gzip REQUIRED)
set(orvanta_package_dir "${CMAKE_BINARY_DIR}/package-files")

# The man page: the program's own --help and --version, with the window, FILES and ENVIRONMENT from data/orvanta.h2m.
# help2man reads a usage line that follows the first as one that starts with "or:", and the window's usage line
# without its note (the description has it).
file(GENERATE OUTPUT "${orvanta_package_dir}/orvanta-help" CONTENT "#!/bin/sh
\"$<TARGET_FILE:orvanta>\" \"$@\" | sed -e 's/^       \\(orvanta .*[^ ]\\)  .*$/  or: \\1/' -e 's/^       orvanta /  or: orvanta /'
" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
add_custom_command(OUTPUT "${orvanta_package_dir}/orvanta.1.gz"
  COMMAND ${CMAKE_COMMAND} -E env LANGUAGE=en LC_ALL=C.UTF-8 "${ORVANTA_HELP2MAN}" --no-info --no-discard-stderr
          --section=1 "--name=cheat-sheet PDFs from marketing fields"
          "--include=${PROJECT_SOURCE_DIR}/data/orvanta.h2m" "--output=${orvanta_package_dir}/orvanta.1"
          "${orvanta_package_dir}/orvanta-help"
  COMMAND "${ORVANTA_GZIP}" -9nf "${orvanta_package_dir}/orvanta.1"
  DEPENDS orvanta "${orvanta_package_dir}/orvanta-help" "${PROJECT_SOURCE_DIR}/data/orvanta.h2m" VERBATIM)

# The changelog dpkg expects of every package: one entry, this version.
execute_process(COMMAND date -u -R -d "${ORVANTA_RELEASE_DATE}" OUTPUT_VARIABLE orvanta_release_rfc2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE "${orvanta_package_dir}/changelog.Debian"
"orvanta (${PROJECT_VERSION}-1) unstable; urgency=medium

  * Orvanta ${PROJECT_VERSION}.

 -- ${ORVANTA_MAINTAINER}  ${orvanta_release_rfc2822}
")
add_custom_command(OUTPUT "${orvanta_package_dir}/changelog.Debian.gz"
  COMMAND "${ORVANTA_GZIP}" -9nkf "${orvanta_package_dir}/changelog.Debian"
  DEPENDS "${orvanta_package_dir}/changelog.Debian" VERBATIM)

configure_file("${PROJECT_SOURCE_DIR}/data/orvanta.metainfo.xml.in"
               "${orvanta_package_dir}/${ORVANTA_APP_ID}.metainfo.xml" @ONLY)

add_custom_target(orvanta_package_files ALL
  DEPENDS "${orvanta_package_dir}/orvanta.1.gz" "${orvanta_package_dir}/changelog.Debian.gz")

install(FILES "${orvanta_package_dir}/orvanta.1.gz" DESTINATION share/man/man1 COMPONENT app)
install(FILES "${orvanta_package_dir}/${ORVANTA_APP_ID}.metainfo.xml" DESTINATION share/metainfo COMPONENT desktop)
install(FILES "${PROJECT_SOURCE_DIR}/data/copyright" "${orvanta_package_dir}/changelog.Debian.gz"
        DESTINATION share/doc/orvanta COMPONENT app)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR Orvanta)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${ORVANTA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVANTA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANTA_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cheat-sheet PDFs from a headline and a list of links")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orvanta turns a few fields of marketing content into a polished cheat-sheet
PDF: a bold headline, a subheadline, a column of link buttons, a footer and a
disclaimer. Every button in the PDF is a real link. A live preview shows the
real PDF beside the fields; looks, colours, a logo, QR codes and click tracking
are a choice away. `orvanta build` and `orvanta check` make the PDFs and check
the links of sheets from the command line.")
# The libraries the program links, as dpkg-shlibdeps finds them; the page's scripts are Debian's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libjs-jquery, libjs-bootstrap")
# A PDF engine and the fonts the looks name first (Latin, Greek, Cyrillic and most scripts); the fonts for Chinese,
# Japanese, Korean and emoji, and the looks' last fallbacks, on request. xdg-open opens the output folder. Chromium
# keeps its sandbox for a user; where the kernel gives no user namespaces (a container, a chroot, a hardened kernel)
# only Debian's setuid sandbox lets it start.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "chromium | wkhtmltopdf, chromium-sandbox, fonts-dejavu-core, fonts-noto-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "fonts-noto-cjk, fonts-noto-color-emoji, fonts-symbola, fonts-wqy-zenhei, fonts-droid-fallback")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
include(CPack)
