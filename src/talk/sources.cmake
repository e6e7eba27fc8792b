target_sources(campfire_plugin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversation_speech.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/charles_conversation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sadie_conversation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/karen_conversation.cpp
)
