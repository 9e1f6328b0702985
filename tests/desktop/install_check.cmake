# Installs the build into a scratch DESTDIR under /usr and compares the files
# that land there with the list a desktop needs.
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  usr/games/nanairobako
  usr/share/doc/nanairobako/changelog.Debian.gz
  usr/share/doc/nanairobako/README.md.gz
  usr/share/doc/nanairobako/copyright
  usr/share/lintian/overrides/nanairobako
  usr/share/man/man6/nanairobako.6.gz
  usr/share/applications/${APP_ID}.desktop
  usr/share/metainfo/${APP_ID}.metainfo.xml
  usr/share/mime/packages/${APP_ID}.xml)
foreach(size 16 32 48 64 128 256)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT expected)

file(GLOB_RECURSE installed RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " got "${installed}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "installed:\n  ${got}\nexpected:\n  ${want}")
endif()

# Each icon is the size its folder says.
foreach(size 16 32 48 64 128 256)
  file(READ ${SCRATCH}/usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 32 8 width)
  math(EXPR width "0x${width}")
  if(NOT width EQUAL size)
    message(FATAL_ERROR "the ${size}x${size} icon is ${width} pixels wide")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
