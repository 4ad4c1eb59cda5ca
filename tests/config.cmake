# Against the XML DOM server the prefix registers, as the deliverables use it.
ulvo_add_test(config_document_test config_document_test.cpp config_save_test.cpp config_corpus_test.cpp
    config_test_util.cpp dom_server.cpp bstr_counter.cpp temp_dir.cpp test_main.cpp LIBS ulvo_core)
ulvo_add_test(config_fuzz_test config_fuzz_test.cpp config_test_util.cpp dom_server.cpp bstr_counter.cpp
    temp_dir.cpp test_main.cpp LIBS ulvo_core)
add_dependencies(config_document_test xmldom)
add_dependencies(config_fuzz_test xmldom)
