# The web build's site: a static folder that any web server serves as it is,
# and the same folder zipped (target web_site):
#   site/                                         index.html with the program in
#       it (its script and its WebAssembly), banner, icons, font, manifest
#       and service worker
#   packages/velmora2-name-generator-<version>-web.zip
# The window's font is Liberation Sans, cut down to the characters the
# window shows and packed as WOFF2 when the site is built.

set(site "${CMAKE_BINARY_DIR}/site")
set(web_sources "${PROJECT_SOURCE_DIR}/ui/web/site")
set(assets "${PROJECT_SOURCE_DIR}/ui/assets")
set(VELMORA_WEB_ZIP
    "${CMAKE_BINARY_DIR}/packages/velmora2-name-generator-${PROJECT_VERSION}-web.zip")

find_program(PYFTSUBSET pyftsubset REQUIRED)
find_program(WOFF2_COMPRESS woff2_compress REQUIRED)
set(liberation /usr/share/fonts/truetype/liberation2)
# The regular face shows names, captions and error messages: printable ASCII.
# The bold one shows two headings: letters, the blank and the colon. Without
# hints: browsers hint small text themselves, or draw it unhinted.
set(characters_Regular U+0020-007E)
set(characters_Bold U+0020,U+003A,U+0041-005A,U+0061-007A)
set(packed_fonts "")
foreach(face IN ITEMS Regular Bold)
    string(TOLOWER "-${face}" suffix)
    string(REPLACE "-regular" "" suffix "${suffix}")
    set(subset "${CMAKE_CURRENT_BINARY_DIR}/window-sans${suffix}.ttf")
    add_custom_command(
        OUTPUT "${site}/window-sans${suffix}.woff2"
        COMMAND "${PYFTSUBSET}" "${liberation}/LiberationSans-${face}.ttf"
            "--unicodes=${characters_${face}}" --layout-features=kern --no-hinting
            "--output-file=${subset}"
        COMMAND "${WOFF2_COMPRESS}" "${subset}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${site}"
        COMMAND "${CMAKE_COMMAND}" -E rename "${CMAKE_CURRENT_BINARY_DIR}/window-sans${suffix}.woff2"
            "${site}/window-sans${suffix}.woff2"
        DEPENDS "${liberation}/LiberationSans-${face}.ttf"
        COMMENT "Packing Liberation Sans ${face} for the page"
        VERBATIM)
    list(APPEND packed_fonts "${site}/window-sans${suffix}.woff2")
endforeach()

set(images banner.jpg banner-2x.jpg icon-16.png icon-32.png icon-192.png icon-512.png)
set(fonts window-sans.woff2 window-sans-bold.woff2)
set(site_files index.html manifest.webmanifest ${images} ${fonts})
# The site's files beside the page, which the web test's page shares, and how
# a page gets its program.
set(VELMORA_WEB_PAGE_FILES manifest.webmanifest ${images} ${fonts} serviceworker.js)
set(VELMORA_WEB_PAGE "${web_sources}/index.html")
set(VELMORA_INLINE_SCRIPT "${PROJECT_SOURCE_DIR}/ui/web/cmake/InlineScript.cmake")
# What the service worker keeps as it installs: every file of the site, the
# page as its folder.
set(kept ./ manifest.webmanifest ${images} ${fonts})
list(TRANSFORM images PREPEND "${assets}/" OUTPUT_VARIABLE image_sources)
set(service_worker_script "${PROJECT_SOURCE_DIR}/ui/web/cmake/WriteServiceWorker.cmake")
set(service_worker_template "${PROJECT_SOURCE_DIR}/ui/web/serviceworker.js.in")
add_custom_command(
    OUTPUT "${site}/serviceworker.js" "${VELMORA_WEB_ZIP}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${site}" "${CMAKE_BINARY_DIR}/packages"
    COMMAND "${CMAKE_COMMAND}" -E copy "${web_sources}/manifest.webmanifest" ${image_sources}
        "${site}"
    COMMAND "${CMAKE_COMMAND}" "-DPAGE=${VELMORA_WEB_PAGE}"
        "-DSCRIPT=$<TARGET_FILE:velmora2-name-generator>"
        "-DCODE=$<TARGET_FILE_DIR:velmora2-name-generator>/velmora2-name-generator.wasm"
        "-DOUTPUT=${site}/index.html" -P "${VELMORA_INLINE_SCRIPT}"
    COMMAND "${CMAKE_COMMAND}" "-DSITE=${site}" "-DTEMPLATE=${service_worker_template}"
        "-DFILES=${site_files}" "-DKEPT=${kept}" -P "${service_worker_script}"
    # SOURCE_DATE_EPOCH gives every entry the last commit's time (reproducible builds).
    COMMAND "${CMAKE_COMMAND}" -E chdir "${site}"
        "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${VELMORA_SOURCE_DATE_EPOCH}"
        "${CMAKE_COMMAND}" -E tar cf "${VELMORA_WEB_ZIP}" --format=zip
        ${site_files} serviceworker.js
    DEPENDS velmora2-name-generator "${web_sources}/manifest.webmanifest" "${VELMORA_WEB_PAGE}"
        ${image_sources} ${packed_fonts} "${VELMORA_INLINE_SCRIPT}"
        "${service_worker_script}" "${service_worker_template}"
    COMMENT "Putting the site together"
    VERBATIM)
add_custom_target(web_site ALL DEPENDS "${site}/serviceworker.js" "${VELMORA_WEB_ZIP}")
