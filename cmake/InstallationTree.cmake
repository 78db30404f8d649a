# SPDX-License-Identifier: GPL-3.0-or-later
# Lays out the installation folder in the build tree (ORVANTA_APP_DIR) from install/ plus the two
# third-party scripts that Debian packages, and installs the same folder under the prefix.

set(ORVANTA_JQUERY "/usr/share/javascript/jquery/jquery.min.js" CACHE FILEPATH "jQuery (Debian's libjs-jquery)")
set(ORVANTA_BOOTSTRAP_JS "/usr/share/javascript/bootstrap/js/bootstrap.min.js" CACHE FILEPATH
    "Bootstrap's script (Debian's libjs-bootstrap)")
foreach(script ORVANTA_JQUERY ORVANTA_BOOTSTRAP_JS)
  if(NOT EXISTS "${${script}}")
    message(FATAL_ERROR "${${script}} is missing: run scripts/install-deps.sh (packages libjs-jquery, libjs-bootstrap)")
  endif()
endforeach()

file(GLOB_RECURSE orvanta_data_files RELATIVE "${CMAKE_SOURCE_DIR}/install" CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/install/*")
list(FILTER orvanta_data_files EXCLUDE REGEX "^bin/output/")

set(orvanta_tree_outputs)
foreach(rel IN LISTS orvanta_data_files)
  set(out "${ORVANTA_APP_DIR}/${rel}")
  add_custom_command(OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CMAKE_SOURCE_DIR}/install/${rel}" "${out}"
    DEPENDS "${CMAKE_SOURCE_DIR}/install/${rel}" VERBATIM)
  list(APPEND orvanta_tree_outputs "${out}")
endforeach()

set(orvanta_third_party
  "${ORVANTA_JQUERY}|bin/assets/js/jquery.min.js"
  "${ORVANTA_BOOTSTRAP_JS}|bin/assets/bootstrap/js/bootstrap.min.js")
foreach(pair IN LISTS orvanta_third_party)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 rel)
  add_custom_command(OUTPUT "${ORVANTA_APP_DIR}/${rel}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${from}" "${ORVANTA_APP_DIR}/${rel}"
    DEPENDS "${from}" VERBATIM)
  list(APPEND orvanta_tree_outputs "${ORVANTA_APP_DIR}/${rel}")
endforeach()

add_custom_target(installation_tree ALL DEPENDS ${orvanta_tree_outputs})

# Installed layout: the same folder under the prefix.
set(ORVANTA_INSTALL_DIR "${ORVANTA_INSTALL_SUBDIR}")
if(ORVANTA_DEBIAN_PACKAGE)
  # dpkg owns every file it installs, so the package installs them plainly; a user's own templates and looks live in
  # the user's data folder. The two scripts are relative links to Debian's copies, which the package depends on.
  install(DIRECTORY "${CMAKE_SOURCE_DIR}/install/" DESTINATION "${ORVANTA_INSTALL_DIR}" COMPONENT app
          PATTERN "output" EXCLUDE)
  foreach(pair IN LISTS orvanta_third_party)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 rel)
    get_filename_component(folder "${CMAKE_INSTALL_PREFIX}/${ORVANTA_INSTALL_DIR}/${rel}" DIRECTORY)
    file(RELATIVE_PATH target "${folder}" "${from}")
    install(CODE "
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${folder}\")
      file(CREATE_LINK \"${target}\" \"\$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${ORVANTA_INSTALL_DIR}/${rel}\" SYMBOLIC)
    " COMPONENT app)
  endforeach()
  return()
endif()

# The templates and the disclaimer are the user's to edit: installing again keeps an edited copy, and
# uninstalling leaves them (they are not in the install manifest).
# Every look's files are the user's, the shipped looks' in bin/looks included.
set(orvanta_user_files resources/tos.txt)
foreach(rel IN LISTS orvanta_data_files)
  if(rel MATCHES "^bin/(looks/[^/]+/)?(template\\.html|repeater\\.txt|heading\\.txt|pagebreak\\.txt|layout\\.json)$")
    list(APPEND orvanta_user_files "${rel}")
  endif()
endforeach()
install(DIRECTORY "${CMAKE_SOURCE_DIR}/install/" DESTINATION "${ORVANTA_INSTALL_DIR}" COMPONENT app
        PATTERN "output" EXCLUDE PATTERN "template.html" EXCLUDE PATTERN "repeater.txt" EXCLUDE
        PATTERN "heading.txt" EXCLUDE PATTERN "pagebreak.txt" EXCLUDE PATTERN "layout.json" EXCLUDE
        PATTERN "tos.txt" EXCLUDE)
foreach(rel IN LISTS orvanta_user_files)
  get_filename_component(folder "${rel}" DIRECTORY)
  install(CODE "
    set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVANTA_INSTALL_DIR}/${rel}\")
    if(EXISTS \"\${target}\")
      message(STATUS \"Kept: \${target}\")
    else()
      message(STATUS \"Installing: \${target}\")
      file(COPY \"${CMAKE_SOURCE_DIR}/install/${rel}\"
           DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVANTA_INSTALL_DIR}/${folder}\")
    endif()
  " COMPONENT app)
endforeach()
install(FILES "${ORVANTA_JQUERY}" DESTINATION "${ORVANTA_INSTALL_DIR}/bin/assets/js" RENAME jquery.min.js
        COMPONENT app)
install(FILES "${ORVANTA_BOOTSTRAP_JS}" DESTINATION "${ORVANTA_INSTALL_DIR}/bin/assets/bootstrap/js"
        RENAME bootstrap.min.js COMPONENT app)
