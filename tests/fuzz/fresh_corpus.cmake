# Replaces the fuzzers' working corpus in the build tree with the seeds, so that each test run
# starts alike and nothing is ever written into the source tree.
# cmake -DSEEDS=<dir> -DWORK=<dir> -P fresh_corpus.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SEEDS}/" DESTINATION "${WORK}")
