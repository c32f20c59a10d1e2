# Writes the site's service worker from its template: the files it keeps
# as it installs, and a cache name made from the contents of all the site's.
#   cmake -DSITE=<folder> -DTEMPLATE=<serviceworker.js.in> -DFILES=<a;b;...>
#         -DKEPT=<./;a;...> -P WriteServiceWorker.cmake

set(hashes "")
foreach(file IN LISTS FILES)
    file(SHA256 "${SITE}/${file}" hash)
    string(APPEND hashes "${hash}")
endforeach()
string(SHA256 SITE_HASH "${hashes}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
list(TRANSFORM KEPT PREPEND "\"" OUTPUT_VARIABLE quoted)
list(TRANSFORM quoted APPEND "\"")
list(JOIN quoted ", " SITE_FILES)
configure_file("${TEMPLATE}" "${SITE}/serviceworker.js" @ONLY)
