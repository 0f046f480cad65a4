# Storage and the API host of the inventory service.
terraform {
  required_version = ">= 1.6"
}

/* Nightly exports land in this bucket;
   it is never public. */
resource "aws_s3_bucket" "exports" {
  bucket = "inventory-exports" // must be unique
  tags = {
    Note   = "a # and a // inside a string"
    Prefix = "s3://exports/${var.env}/*"
    Quote  = "say \"hi\""
  }
}

resource "aws_instance" "api" {
  ami       = var.ami  # pinned in terraform.tfvars
  user_data = <<-EOT
    #!/bin/bash
    # installs the service; not an HCL comment

    systemctl enable --now inventory
    EOT
  description = <<EOT
// not a comment: heredoc text
  EOT indented does not close a << heredoc
EOT
  // Instance size follows the load.
  instance_type = "t3.small"
}
