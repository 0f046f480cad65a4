// Deprecated: use example.com/inventory/v2 instead.
module example.com/inventory

go 1.22.0

toolchain go1.22.4

require (
	github.com/google/uuid v1.6.0
	golang.org/x/sync v0.7.0 // indirect
	// Pinned until the v2 API settles.
	example.com/pricing v1.4.2//no blank before the comment
)

replace example.com/legacy => ../legacy
replace "example.com/odd" v1.0.0 => "./third_party/odd//copy" // quoted path
replace `example.com/raw` => `./third_party/raw//copy`

// Published with a broken build;
// a rationale comment may span lines.
retract [v1.0.0, v1.0.5]
