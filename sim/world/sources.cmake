target_sources(campsim_core PRIVATE
)
